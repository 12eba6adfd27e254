// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
#include "display/display.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "state/state.hpp"
#include "support/console.hpp"

namespace {

// A picture written as in the rules' samples: one string per printed line, a middle
// dot for each space; the picture ends where the last line ends.
std::string image(const std::vector<std::string>& lignes) {
  std::string texte;
  for (std::size_t k = 0; k < lignes.size(); ++k) {
    if (k > 0) texte += '\n';
    texte += lignes[k];
  }
  std::string resultat;
  for (std::size_t k = 0; k < texte.size(); ++k) {
    if (texte.compare(k, 2, "\xC2\xB7") == 0) {
      resultat += ' ';
      ++k;
    } else {
      resultat += texte[k];
    }
  }
  return resultat;
}

std::string fois(const std::string& texte, int nombre) {
  std::string resultat;
  for (int k = 0; k < nombre; ++k) resultat += texte;
  return resultat;
}

struct Position {
  int N, n, jmax, ntas, flag, dernier;
};

std::string dessiner(const Position& p) {
  ConsoleDeTest console;
  etatjeu.N = p.N;
  etatjeu.n = p.n;
  etatjeu.jmax = p.jmax;
  etatjeu.ntas = p.ntas;
  etatjeu.flag = p.flag;
  etatjeu.dernier = p.dernier;
  EXPECT_EQ(affichage(), 0);
  return console.sortie();
}

struct CasImage {
  const char* nom;
  Position position;
  std::string attendu;
};

void verifier(const std::vector<CasImage>& table) {
  for (const auto& c : table) {
    SCOPED_TRACE(c.nom);
    EXPECT_EQ(dessiner(c.position), c.attendu);
  }
}

const std::string kCellule = "|  ";
const std::string kRangee =
    fois(kCellule, 10) + "       " + fois(kCellule, 10) + "\n \n               ";

TEST(PlainPicture, DrawsRowsOfTwentyWithTheMidRowGap) {
  verifier({
      {"sixteen",
       {16, 1, 3, 16, 0, 0},
       image({"·", "·", "····16··allumettes·:·", "·",
              "···············|··|··|··|··|··|··|··|··|··|·········|··|··|··|··|··|··"})},
      {"twenty-three",
       {16, 1, 3, 23, 1, 1},
       image({"·", "·", "····23··allumettes·:·", "·",
              "···············|··|··|··|··|··|··|··|··|··|·········|··|··|··|··|··|··|··|··|··|··",
              "·", "···············|··|··|··"})},
      {"one is singular",
       {16, 1, 3, 1, 0, 0},
       " \n \n    1  allumette  :  \n \n               |  "},
      {"two is plural",
       {16, 1, 3, 2, 0, 0},
       " \n \n    2  allumettes : \n \n               |  |  "},
      {"empty heap", {16, 1, 3, 0, 0, 2}, " \n \n    0  allumette  :  \n \n               "},
      {"negative heap", {16, 1, 3, -2, 1, 0}, " \n \n    -2  allumette  :  \n \n               "},
      {"ten ends with the gap",
       {16, 1, 3, 10, 0, 0},
       " \n \n    10  allumettes : \n \n               " + fois(kCellule, 10) + "       "},
      {"twenty ends with the next margin",
       {30, 1, 3, 20, 0, 0},
       " \n \n    20  allumettes : \n \n               " + kRangee},
      {"twenty-one starts a row",
       {30, 1, 3, 21, 0, 0},
       " \n \n    21  allumettes : \n \n               " + kRangee + kCellule},
      {"fifty",
       {60, 1, 3, 50, 0, 0},
       " \n \n    50  allumettes : \n \n               " + kRangee + kRangee + fois(kCellule, 10) +
           "       "},
      {"help mode before the rule is chosen",
       {16, 1, 3, 3, 2, 0},
       " \n \n    3  allumettes : \n \n               |  |  |  "},
  });
}

TEST(PlainPicture, LargeHeapHasEveryCellAndEndsItsLoop) {
  const int ntas = 1000003;
  const std::string attendu = " \n \n    1000003  allumettes : \n \n               " +
                              fois(kRangee, ntas / 20) + kCellule + kCellule + kCellule;
  EXPECT_EQ(dessiner({2000000, 1, 3, ntas, 0, 0}), attendu);
  EXPECT_EQ(etatjeu.i, ntas + 1);
}

TEST(HelpPicture, RemovingGamesShowTheGroupsBelowTheTop) {
  verifier({
      {"classic, last mover wins",
       {16, 1, 3, 16, 2, 1},
       image(
           {"·", "·", "····16··allumettes·:·", "·",
            "·······4·=·3·+·1····et·····16·=·(·1·-·1·)···+·4·X·4·+·0·", "·",
            "···················|··|··|··|·····|··|··|··|·····|··|··|··|·····|··|··|··|········"})},
      {"classic, last mover loses",
       {16, 1, 3, 16, 2, 2},
       image({"·", "·", "····16··allumettes·:·", "·",
              "·······4·=·3·+·1····et·····16·=·1·+·3·X·4·+·3·", "·",
              "················|·····|··|··|··|·····|··|··|··|·····|··|··|··|·····|··|··|··"})},
      {"custom twenty down to five",
       {20, 5, 3, 14, 2, 1},
       image({"·", "·", "····14··allumettes·:·", "·",
              "·······4·=·3·+·1····et·····14·=·(·5·-·1·)···+·2·X·4·+·2·", "·",
              "················|··|··|··|·····|··|··|··|·····|··|··|··|·····|··|·····"})},
      {"classic end, last mover loses",
       {16, 1, 3, 0, 2, 2},
       image({"·", "·", "····0··allumette··:··", "·",
              "·······4·=·3·+·1····et·····0·=·1·+·0·X·4·+·-1·", "·", "···················"})},
      {"classic end, last mover wins",
       {16, 1, 3, 0, 2, 1},
       " \n \n    0  allumette  :  \n \n       4 = 3 + 1    et     0 = ( 1 - 1 )   + 0 X 4 + 0 "
       "\n \n                      "},
      {"heap gone below the end",
       {20, 5, 3, 3, 2, 1},
       " \n \n    3  allumettes : \n \n       4 = 3 + 1    et     3 = ( 5 - 1 )   + 0 X 4 + -1 "
       "\n \n                |  |  |        "},
      {"negative heap, last mover wins",
       {16, 1, 3, -2, 2, 1},
       " \n \n    -2  allumette  :  \n \n       4 = 3 + 1    et     -2 = ( 1 - 1 )   + 0 X 4 + -2 "
       "\n \n                      "},
      {"negative heap, last mover loses",
       {16, 1, 3, -2, 2, 2},
       " \n \n    -2  allumette  :  \n \n       4 = 3 + 1    et     -2 = 1 + 0 X 4 + -3 "
       "\n \n                   "},
      {"largest move of 2147483647",
       {16, 1, 2147483647, 16, 2, 1},
       " \n \n    16  allumettes : \n \n       2147483648 = 2147483647 + 1    et     16 = ( 1 - 1 )"
       "   + 0 X 2147483648 + 16 \n \n                   " +
           fois(kCellule, 16) + "   "},
  });
}

TEST(HelpPicture, AddingGamesShowTheFinalAndCurrentRows) {
  const std::string fin_vingt =
      "|     |  |  |     |  |  |  |     |  |  |  |     |  |  |  |     |  |  |  |     ";
  verifier({
      {"one up to twenty, last mover wins",
       {1, 20, 3, 5, 2, 1},
       image({"·", "·", "····5··allumettes·:·", "·",
              "·····4·=·3·+·1····et·····20·-·5···=··3··+··3·X·4·", "·",
              "·A·la·fin··:·····|·····|··|··|·····|··|··|··|·····|··|··|··|·····|··|··|··|·····|··|"
              "··|··|······",
              "·", "·En·cours··:·····|·····|··|··|·····|··"})},
      {"one up to twenty, last mover loses",
       {1, 20, 3, 5, 2, 2},
       image({"·", "·", "····5··allumettes·:·", "·",
              "·····4·=·3·+·1····et·····20··-··5··=··2··+··3·X·4··+··1··", "·",
              "·A·la·fin··:·····|·····|··|·····|··|··|··|·····|··|··|··|·····|··|··|··|·····|··|··|"
              "··|·····|···",
              "·", "·En·cours··:·····|·····|··|·····|··|··"})},
      {"heap past the end",
       {1, 20, 3, 22, 2, 1},
       " \n \n    22  allumettes : \n \n     4 = 3 + 1    et     20 - 22   =  -2  +  0 X 4 \n \n "
       "A la fin  :     " +
           fin_vingt + " \n \n En cours  :     " + fin_vingt + "|  |  "},
      {"end reached, last mover loses",
       {1, 20, 3, 20, 2, 2},
       " \n \n    20  allumettes : \n \n     4 = 3 + 1    et     20  -  20  =  -1  +  0 X 4  +  1  "
       "\n \n A la fin  :     |     |  |     |  |  |  |     |  |  |  |     |  |  |  |     |  |  |"
       "  |     |   \n \n En cours  :     |     |  |     |  |  |  |     |  |  |  |     |  |  |  |"
       "     |  |  |  |     |  "},
      {"remainder of zero",
       {3, 11, 3, 3, 2, 1},
       " \n \n    3  allumettes : \n \n     4 = 3 + 1    et     11 - 3   =  0  +  2 X 4 \n \n "
       "A la fin  :     |  |  |        |  |  |  |     |  |  |  |      \n \n En cours  :     "
       "|  |  |        "},
      {"starting from an empty heap",
       {0, 10, 2, 0, 2, 1},
       " \n \n    0  allumette  :  \n \n     3 = 2 + 1    et     10 - 0   =  1  +  3 X 3 \n \n "
       "A la fin  :     |     |  |  |     |  |  |     |  |  |      \n \n En cours  :     "},
  });
}

TEST(HelpPicture, OtherStatesDrawOnlyTheHeader) {
  verifier({
      {"equal counts", {5, 5, 3, 5, 2, 1}, " \n \n    5  allumettes : \n \n"},
      {"unknown rule, removing", {16, 1, 3, 7, 2, 3}, " \n \n    7  allumettes : \n \n       "},
      {"unknown rule, adding", {1, 16, 3, 7, 2, 3}, " \n \n    7  allumettes : \n \n     "},
  });
}

TEST(AddingRow, StopsAtTheGivenCount) {
  ConsoleDeTest console;
  EXPECT_EQ(print(0, 1, 20, 3), 0);
  EXPECT_EQ(print(-5, 1, 20, 3), 0);
  EXPECT_EQ(console.sortie(), "");
  print(7, 0, 7, 6);  // no starting matches and one whole group: no gap before it
  EXPECT_EQ(console.sortie(), "|  |  |  |  |  |  |     ");
}

// The row as its rule states it, one position at a time.
std::string rangee_de_reference(int ntas1, int N1, int n1, int jmax1) {
  std::string rangee;
  const long long g1 = jmax1 + 1LL, f = N1 + (static_cast<long long>(n1) - N1) % g1;
  for (long long i = 1; i <= ntas1; ++i) {
    if (i <= N1) rangee += "|  ";
    if (i == N1) rangee += "   ";
    if (i > N1 && i <= f) rangee += "|  ";
    if (i == f) rangee += "   ";
    if (i > f) rangee += (i - f) % g1 == 0 ? "|     " : "|  ";
  }
  return rangee;
}

TEST(AddingRow, DrawsEveryPositionAsItsRuleSays) {
  for (int jmax1 = 1; jmax1 <= 5; ++jmax1) {
    for (int N1 = 0; N1 <= 12; ++N1) {
      for (int n1 = N1 - 3; n1 <= N1 + 15; ++n1) {
        for (int ntas1 = -1; ntas1 <= 45; ++ntas1) {
          ConsoleDeTest console;
          print(ntas1, N1, n1, jmax1);
          ASSERT_EQ(console.sortie(), rangee_de_reference(ntas1, N1, n1, jmax1))
              << "print(" << ntas1 << ", " << N1 << ", " << n1 << ", " << jmax1 << ")";
        }
      }
    }
  }
}

TEST(AddingRow, LongRowsKeepTheirGroups) {
  for (int jmax1 : {1, 3, 5000, 2147483646}) {
    ConsoleDeTest console;
    print(300007, 11, 250000, jmax1);
    ASSERT_EQ(console.sortie(), rangee_de_reference(300007, 11, 250000, jmax1)) << jmax1;
  }
}

TEST(ClearScreen, WritesCursorHomeThenEraseDisplay) {
  ConsoleDeTest console;
  Clear();
  EXPECT_EQ(console.sortie(), "\33[H\33[2J");
}

}  // namespace
