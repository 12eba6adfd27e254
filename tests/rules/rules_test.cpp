// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
#include "rules/rules.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "state/state.hpp"
#include "support/console.hpp"

namespace {

struct Configuration {
  int N, n, jmax, dernier;
};

void installer(const Configuration& c, int ntas) {
  etatjeu.N = c.N;
  etatjeu.n = c.n;
  etatjeu.jmax = c.jmax;
  etatjeu.dernier = c.dernier;
  etatjeu.ntas = ntas;
}

// --- Random source ---

TEST(RandomSource, FollowsTheMinimalStandardEngine) {
  ConsoleDeTest console;
  for (unsigned graine : {0u, 1u}) {
    etatjeu.gen.seed(graine);
    EXPECT_EQ(etatjeu.gen(), 16807u) << "seed " << graine;
    EXPECT_EQ(etatjeu.gen(), 282475249u) << "seed " << graine;
  }
  etatjeu.gen.seed(12345);
  EXPECT_EQ(etatjeu.gen(), 12345u * 16807u % 2147483647u);
}

TEST(RandomSource, DrawsFromEqualBucketsOfTheEngineOutput) {
  ConsoleDeTest console;
  etatjeu.gen.seed(1);
  // Outputs 16807, 282475249 and 1622650073 fall in buckets of 715827881.
  EXPECT_EQ(random(1, 3), 1);
  EXPECT_EQ(random(1, 3), 1);
  EXPECT_EQ(random(1, 3), 3);
  // A range of one still takes a step of the engine (its fourth output, 984943658).
  EXPECT_EQ(random(1, 1), 1);
  EXPECT_EQ(etatjeu.gen(), 1144108930u);
}

// Seed 1 gives the outputs 16807, 282475249, 1622650073, 984943658, 1144108930,
// 470211272, 101027544, 1457850878, 1458777923, ...
TEST(RandomSource, DrawsWideRangesByTheSameRuleOnEveryLibrary) {
  struct Cas {
    const char* nom;
    int sauts, high, attendu;
    unsigned suivante;  // the engine's output after the draw
  };
  const std::vector<Cas> table = {
      {"buckets of one: 1622650072 lies past the only whole bucket, drawn again", 2, 1073741825,
       984943658, 1144108930u},
      {"2147483646 values, as many as the outputs: one output as it is", 0, 2147483646, 16807,
       282475249u},
      {"2147483647 values: high part 0 (16806 < 1073741822), then 282475249 - 1", 0, 2147483647,
       282475249, 1622650073u},
      {"2147483647 values: high part 1 twice, past the range both times, then high part 0", 2,
       2147483647, 1457850878, 1458777923u},
  };
  for (const auto& c : table) {
    ConsoleDeTest console;
    etatjeu.gen.seed(1);
    for (int k = 0; k < c.sauts; ++k) etatjeu.gen();
    EXPECT_EQ(random(1, c.high), c.attendu) << c.nom;
    EXPECT_EQ(etatjeu.gen(), c.suivante) << c.nom;
  }
}

// Each side of a bucket's edge and of the rejection threshold, for ranges that divide the
// engine's 2147483646 outputs (buckets of (2147483646 - 1) / range outputs, outputs from
// range * bucket on drawn again). Each state is the one whose next output is x + 1.
TEST(RandomSource, DrawsEachSideOfABucketEdgeAndOfTheRejectionThreshold) {
  struct Cas {
    const char* nom;
    int high;
    unsigned etat;
    int attendu;
    unsigned suivante;  // the engine's output after the draw
  };
  const std::vector<Cas> table = {
      {"2 values, x 1073741821: last of the first bucket", 2, 35968147u, 1, 1073716613u},
      {"2 values, x 1073741822: first of the second bucket", 2, 1443645147u, 2, 1073733420u},
      {"2 values, x 2147483643: last output kept", 2, 71936294u, 2, 2147433226u},
      {"2 values, x 2147483644: drawn again, then 2147433225", 2, 1479613294u, 2, 1582533149u},
      {"3 values, x 715827880: last of the first bucket", 3, 1702236745u, 1, 715805473u},
      {"3 values, x 715827881: first of the second bucket", 3, 962430098u, 2, 715822280u},
      {"3 values, x 2147483642: last output kept", 3, 811742941u, 3, 2147416419u},
      {"3 values, x 2147483643: drawn again", 3, 71936294u, 3, 1300057900u},
      {"7 values, x 306783377: first of the second bucket", 7, 412470042u, 2, 2147481246u},
      {"7 values, x 2147483639: drawn again", 7, 883679235u, 7, 170156904u},
  };
  for (const auto& c : table) {
    ConsoleDeTest console;
    etatjeu.gen.seed(c.etat);
    EXPECT_EQ(random(1, c.high), c.attendu) << c.nom;
    EXPECT_EQ(etatjeu.gen(), c.suivante) << c.nom;
  }
}

// --- Machine move choice ---

// The classic game: the move for each heap, 0 standing for a random move.
TEST(MachineMove, PlaysTheClassicTable) {
  struct Cas {
    int ntas, gagne, perd;
  };
  const std::vector<Cas> table = {
      {16, 0, 3}, {15, 3, 2}, {14, 2, 1}, {13, 1, 0}, {12, 0, 3}, {11, 3, 2}, {10, 2, 1}, {9, 1, 0},
      {8, 0, 3},  {7, 3, 2},  {6, 2, 1},  {5, 1, 0},  {4, 0, 3},  {3, 3, 2},  {2, 2, 1},  {1, 1, 0},
  };
  for (const auto& c : table) {
    for (int dernier : {1, 2}) {
      ConsoleDeTest console;
      etatjeu.gen.seed(7);
      installer({16, 1, 3, dernier}, c.ntas);
      choixjeu();
      const int attendu = dernier == 1 ? c.gagne : c.perd;
      const std::string cas =
          "heap " + std::to_string(c.ntas) + ", rule " + std::to_string(dernier);
      EXPECT_EQ(etatjeu.m, std::min(c.ntas, 3)) << cas;
      if (attendu != 0) {
        EXPECT_EQ(etatjeu.njeux, attendu) << cas;
      } else {
        EXPECT_GE(etatjeu.njeux, 1) << cas;
        EXPECT_LE(etatjeu.njeux, std::min(c.ntas, 3)) << cas;
      }
    }
  }
}

TEST(MachineMove, RandomMoveStaysWithinItsBound) {
  struct Cas {
    const char* nom;
    Configuration config;
    int ntas, borne;
  };
  const std::vector<Cas> table = {
      {"heap of 1 in the classic game, last mover loses", {16, 1, 3, 2}, 1, 1},
      {"twenty down to five, heap of 5, last mover loses", {20, 5, 10, 2}, 5, 5},
      {"adding, one below the end, last mover loses", {0, 10, 3, 2}, 9, 3},
      {"adding from an empty heap, distance a multiple", {0, 8, 3, 1}, 0, 3},
  };
  for (const auto& c : table) {
    SCOPED_TRACE(c.nom);
    std::set<int> vus;
    ConsoleDeTest console;
    etatjeu.gen.seed(99);
    for (int essai = 0; essai < 200; ++essai) {
      installer(c.config, c.ntas);
      choixjeu();
      vus.insert(etatjeu.njeux);
    }
    EXPECT_EQ(*vus.begin(), 1);
    EXPECT_EQ(*vus.rbegin(), c.borne);
  }
}

TEST(MachineMove, AddingGamesFromEmptyHeap) {
  ConsoleDeTest console;
  installer({0, 10, 3, 1}, 0);
  etatjeu.m = 42;
  choixjeu();
  EXPECT_EQ(etatjeu.njeux, 2);
  EXPECT_EQ(etatjeu.m, 42);  // untouched when adding
  installer({0, 10, 3, 2}, 0);
  choixjeu();
  EXPECT_EQ(etatjeu.njeux, 1);
}

TEST(MachineMove, ChangesNothingWithoutARuleOrADistance) {
  const std::vector<Configuration> table = {{16, 1, 3, 0}, {16, 1, 3, 3}, {5, 5, 3, 1}};
  for (const auto& c : table) {
    ConsoleDeTest console;
    installer(c, 7);
    etatjeu.njeux = 11;
    etatjeu.m = 12;
    const auto moteur = etatjeu.gen;
    choixjeu();
    EXPECT_EQ(etatjeu.njeux, 11);
    EXPECT_EQ(etatjeu.m, 12);
    EXPECT_TRUE(etatjeu.gen == moteur);
  }
}

TEST(MachineMove, LargestMoveOf2147483647DoesNotOverflow) {
  ConsoleDeTest console;
  installer({100, 1, 2147483647, 1}, 100);
  choixjeu();
  EXPECT_EQ(etatjeu.njeux, 100);  // takes the whole heap and wins
  installer({100, 1, 2147483647, 2}, 100);
  choixjeu();
  EXPECT_EQ(etatjeu.njeux, 99);  // leaves the last match
  installer({0, 2147483647, 1, 1}, 2147483646);
  choixjeu();
  EXPECT_EQ(etatjeu.njeux, 1);
}

// Winning and losing positions worked out from the end of the game backwards, with no
// knowledge of the strategy: a position wins when some move ends the game on a win or
// leaves the opponent a losing position.
class Retrograde {
 public:
  explicit Retrograde(const Configuration& c) : c_(c) {
    const int bas = enlever() ? c.n : c.N;
    const int haut = enlever() ? c.N : c.n - 1;
    gagnante_.assign(static_cast<std::size_t>(haut + 1), false);
    if (enlever()) {
      for (int p = bas; p <= haut; ++p) gagnante_[static_cast<std::size_t>(p)] = calculer(p);
    } else {
      for (int p = haut; p >= bas; --p) gagnante_[static_cast<std::size_t>(p)] = calculer(p);
    }
  }

  bool enlever() const { return c_.n < c_.N; }
  int apres(int p, int coup) const { return enlever() ? p - coup : p + coup; }
  bool finie(int p) const { return enlever() ? p < c_.n : p >= c_.n; }
  bool gagnante(int p) const { return gagnante_[static_cast<std::size_t>(p)]; }

  // The mover of a move that leaves p wins.
  bool coup_gagnant(int p) const { return finie(p) ? c_.dernier == 1 : !gagnante(p); }

 private:
  bool calculer(int p) const {
    for (int coup = 1; coup <= c_.jmax; ++coup) {
      if (coup_gagnant(apres(p, coup))) return true;
    }
    return false;
  }

  Configuration c_;
  std::vector<bool> gagnante_;
};

void verifier_strategie(const Configuration& c) {
  const Retrograde jeu(c);
  const int bas = jeu.enlever() ? c.n : c.N;
  const int haut = jeu.enlever() ? c.N : c.n - 1;
  for (int p = bas; p <= haut; ++p) {
    installer(c, p);
    choixjeu();
    const int coup = etatjeu.njeux;
    const std::string cas = "N " + std::to_string(c.N) + " n " + std::to_string(c.n) + " jmax " +
                            std::to_string(c.jmax) + " rule " + std::to_string(c.dernier) +
                            " heap " + std::to_string(p) + " move " + std::to_string(coup);
    ASSERT_GE(coup, 1) << cas;
    if (jeu.gagnante(p)) {
      ASSERT_LE(coup, c.jmax) << cas;
      ASSERT_TRUE(jeu.coup_gagnant(jeu.apres(p, coup))) << cas;
    } else {
      ASSERT_LE(coup, jeu.enlever() ? std::min(p, c.jmax) : c.jmax) << cas;
    }
  }
}

TEST(MachineMove, WinsFromEveryWinningPositionOfSmallGames) {
  ConsoleDeTest console;
  etatjeu.gen.seed(3);
  for (int jmax = 1; jmax <= 6; ++jmax) {
    for (int dernier : {1, 2}) {
      for (int N = 0; N <= 30; ++N) {
        for (int n = 1; n <= 30; ++n) {
          if (n - N >= 3 || N - n >= 3) verifier_strategie({N, n, jmax, dernier});
        }
      }
    }
  }
}

// --- Move announcement and end of game ---

const std::string kAppuyez = " \n \n  Appuyez sur la touche 'ENTREE' pour continuer...";

struct CasAnnonce {
  const char* nom;
  Configuration config;
  int ntas, tour, njeux, flag;
  std::string sortie;
  int ntas_apres, tour_apres;
};

TEST(MoveAnnouncement, AppliesAnnouncesRedrawsAndPassesTheTurn) {
  const std::string seize_moins_deux =
      " \n \n    14  allumettes : \n \n               |  |  |  |  |  |  |  |  |  |         |  |  "
      "|  |  ";
  const std::vector<CasAnnonce> table = {
      {"user removes two",
       {16, 1, 3, 1},
       16,
       1,
       2,
       1,
       "\n \n \t  La joueur va enlever 2  allumettes  \n \n" + kAppuyez + seize_moins_deux,
       14,
       2},
      {"screen cleared after Enter in mode 0",
       {16, 1, 3, 1},
       16,
       1,
       2,
       0,
       "\n \n \t  La joueur va enlever 2  allumettes  \n \n" + kAppuyez + "\33[H\33[2J" +
           seize_moins_deux,
       14,
       2},
      {"machine adds two",
       {0, 10, 3, 1},
       0,
       2,
       2,
       1,
       "\n \n \t  La machine va ajouter 2  allumettes  \n \n" + kAppuyez +
           " \n \n    2  allumettes : \n \n               |  |  ",
       2,
       1},
      {"one match is singular",
       {16, 1, 3, 2},
       3,
       2,
       1,
       1,
       "\n \n \t  La machine va enlever 1  allumette  \n \n" + kAppuyez +
           " \n \n    2  allumettes : \n \n               |  |  ",
       2,
       1},
      {"taking the last match ends the game",
       {16, 1, 3, 1},
       1,
       1,
       1,
       1,
       "\n \n \t  La joueur va enlever 1  allumette  \n \n" + kAppuyez +
           " \n \n    0  allumette  :  \n \n               \n \n \t La partie est terminee. \n "
           "\n \n \t Le joueur a gagne.",
       0,
       0},
      {"a move larger than the heap leaves it negative",
       {16, 1, 3, 2},
       2,
       1,
       3,
       1,
       "\n \n \t  La joueur va enlever 3  allumettes  \n \n" + kAppuyez +
           " \n \n    -1  allumette  :  \n \n               \n \n \t La partie est terminee. \n "
           "\n \n \t Le joueur a perdu.",
       -1,
       0},
      {"help mode draws the arithmetic",
       {16, 1, 3, 1},
       16,
       2,
       1,
       2,
       "\n \n \t  La machine va enlever 1  allumette  \n \n" + kAppuyez +
           " \n \n    15  allumettes : \n \n       4 = 3 + 1    et     15 = ( 1 - 1 )   + 3 X 4 + "
           "3 "
           "\n \n                   |  |  |  |     |  |  |  |     |  |  |  |     |  |  |     ",
       15,
       1},
      {"equal counts: no verb, no change",
       {5, 5, 3, 1},
       5,
       1,
       2,
       1,
       "\n \n \t  La joueur va 2  allumettes  \n \n" + kAppuyez +
           " \n \n    5  allumettes : \n \n               |  |  |  |  |  ",
       5,
       2},
  };
  for (const auto& c : table) {
    SCOPED_TRACE(c.nom);
    ConsoleDeTest console("\nreste");
    installer(c.config, c.ntas);
    etatjeu.tour = c.tour;
    etatjeu.njeux = c.njeux;
    etatjeu.flag = c.flag;
    etatjeu.rejouer = 2;
    etatjeu.debut = 1;
    EXPECT_EQ(annonce(), 0);
    EXPECT_EQ(console.sortie(), c.sortie);
    EXPECT_EQ(etatjeu.ntas, c.ntas_apres);
    EXPECT_EQ(etatjeu.tour, c.tour_apres);
    EXPECT_EQ(etatjeu.rejouer, c.tour_apres == 0 ? 0 : 2);
    EXPECT_EQ(console.reste(), "reste");  // one key press taken, no more
  }
}

TEST(EndOfGame, EndsOnlyWhenTheHeapReachesTheEnd) {
  struct Cas {
    Configuration config;
    int ntas;
    bool finie;
  };
  const std::vector<Cas> table = {
      {{20, 5, 3, 1}, 5, false},  {{20, 5, 3, 1}, 4, true},  {{16, 1, 3, 1}, 0, true},
      {{16, 1, 3, 1}, -3, true},  {{16, 1, 3, 1}, 1, false}, {{0, 10, 3, 1}, 9, false},
      {{0, 10, 3, 1}, 10, true},  {{0, 10, 3, 1}, 12, true}, {{5, 5, 3, 1}, -100, false},
      {{5, 5, 3, 1}, 100, false},
  };
  for (const auto& c : table) {
    ConsoleDeTest console;
    installer(c.config, c.ntas);
    etatjeu.tour = 1;
    etatjeu.rejouer = 1;
    etatjeu.debut = 1;
    testfin();
    const std::string cas = "N " + std::to_string(c.config.N) + " heap " + std::to_string(c.ntas);
    EXPECT_EQ(etatjeu.tour == 0, c.finie) << cas;
    EXPECT_EQ(etatjeu.rejouer == 0 && etatjeu.debut == 0, c.finie) << cas;
    EXPECT_EQ(console.sortie().empty(), !c.finie) << cas;
  }
}

TEST(EndOfGame, NamesTheWinnerFromWhoMovedLastAndTheRule) {
  struct Cas {
    int tour, dernier;
    std::string verdict;
  };
  const std::vector<Cas> table = {
      {1, 1, "\n \n \t Le joueur a gagne."},
      {1, 2, "\n \n \t Le joueur a perdu."},
      {2, 1, "\n \n \t La machine a gagne."},
      {2, 2, "\n \n \t La machine a perdu."},
      {0, 1, ""},
      {3, 2, ""},
      {1, 0, ""},
      {2, 3, ""},
  };
  for (const auto& c : table) {
    ConsoleDeTest console;
    installer({16, 1, 3, c.dernier}, 0);
    etatjeu.tour = c.tour;
    testfin();
    EXPECT_EQ(console.sortie(), "\n \n \t La partie est terminee. \n " + c.verdict)
        << "turn " << c.tour << ", rule " << c.dernier;
    EXPECT_EQ(etatjeu.tour, 0);
  }
}

TEST(EndOfGame, ZeroAnswerInterruptsTheGame) {
  for (int njeux : {0, 1, 3}) {
    ConsoleDeTest console;
    installer({16, 1, 3, 1}, 9);
    etatjeu.njeux = njeux;
    etatjeu.tour = 1;
    etatjeu.rejouer = 2;
    etatjeu.debut = 1;
    EXPECT_EQ(teststop(), 0);
    const bool arret = njeux == 0;
    EXPECT_EQ(console.sortie(), arret ? "\n \n \t LA PARTIE A ETE INTERROMPUE !  " : "");
    EXPECT_EQ(etatjeu.tour, arret ? 0 : 1);
    EXPECT_EQ(etatjeu.rejouer, arret ? 0 : 2);
    EXPECT_EQ(etatjeu.debut, arret ? 0 : 1);
    EXPECT_EQ(etatjeu.ntas, 9);
  }
}

}  // namespace
