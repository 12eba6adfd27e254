// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
#include "rules/rules.hpp"

#include <algorithm>
#include <iostream>

#include "display/display.hpp"
#include "platform/platform.hpp"
#include "state/state.hpp"

namespace {

using std::int64_t;

constexpr const char* kMachineVa = " La machine va ";
constexpr const char* kJoueurVa = " La joueur va ";
constexpr const char* kCoupDUneAllumette = "  allumette  \n \n";
constexpr const char* kCoupDeDesAllumettes = "  allumettes  \n \n";
constexpr const char* kPartieTerminee = "\n \n \t La partie est terminee. \n ";
constexpr const char* kInterrompue = "\n \n \t LA PARTIE A ETE INTERROMPUE !  ";

bool en_enlevant() {
  return etatjeu.n < etatjeu.N;
}
bool en_ajoutant() {
  return etatjeu.N < etatjeu.n;
}

// Removing, the game ends below n; adding, it ends on reaching n.
bool partie_finie() {
  if (en_enlevant()) return etatjeu.ntas < etatjeu.n;
  if (en_ajoutant()) return etatjeu.ntas >= etatjeu.n;
  return false;
}

// Matches still to move, the last of them by the player who ends the game; one fewer
// when that player loses, so that the machine leaves the last move to its opponent.
int64_t distance_a_jouer() {
  const int64_t un_de_moins = etatjeu.dernier == 2 ? 1 : 0;
  if (en_enlevant()) return int64_t{etatjeu.ntas} - etatjeu.n + 1 - un_de_moins;
  return int64_t{etatjeu.n} - etatjeu.ntas - un_de_moins;
}

// The heap changes by 64-bit arithmetic stored back in 32 bits: the setup keeps every
// reachable heap in range, and no state can make it overflow.
void appliquer_coup() {
  if (en_enlevant()) {
    std::cout << "enlever ";
    etatjeu.ntas = static_cast<std::int32_t>(int64_t{etatjeu.ntas} - etatjeu.njeux);
  }
  if (en_ajoutant()) {
    std::cout << "ajouter ";
    etatjeu.ntas = static_cast<std::int32_t>(int64_t{etatjeu.ntas} + etatjeu.njeux);
  }
}

void passer_le_tour() {
  if (etatjeu.tour == 1) {
    etatjeu.tour = 2;
  } else if (etatjeu.tour == 2) {
    etatjeu.tour = 1;
  } else {
    etatjeu.tour = 0;
  }
}

const char* verdict() {
  const bool gagne = etatjeu.dernier == 1, perd = etatjeu.dernier == 2;
  if (etatjeu.tour == 1 && gagne) return "\n \n \t Le joueur a gagne.";
  if (etatjeu.tour == 1 && perd) return "\n \n \t Le joueur a perdu.";
  if (etatjeu.tour == 2 && gagne) return "\n \n \t La machine a gagne.";
  if (etatjeu.tour == 2 && perd) return "\n \n \t La machine a perdu.";
  return "";
}

void arreter_la_partie() {
  etatjeu.tour = 0;
  etatjeu.rejouer = 0;
  etatjeu.debut = 0;
}

// A uniform draw from low to high, both included, computed from the engine's outputs by
// the rule that libstdc++'s uniform_int_distribution follows on this engine, so that the
// same clock reading plays the same moves with every standard library.
class TirageUniforme {
 public:
  TirageUniforme(int low, int high)
      : low_(low), valeurs_(static_cast<std::uint64_t>(int64_t{high} - low + 1)) {}

  int operator()(MoteurHasard& gen) const {
    return static_cast<int>(int64_t{low_} + static_cast<int64_t>(parmi(gen, valeurs_)));
  }

 private:
  // The engine yields the 2147483646 values from 1 to 2147483646.
  static constexpr std::uint64_t kSorties = MoteurHasard::max() - MoteurHasard::min() + 1;

  static std::uint64_t sortie(MoteurHasard& gen) { return gen() - MoteurHasard::min(); }

  // One of the values 0 to valeurs - 1.
  static std::uint64_t parmi(MoteurHasard& gen, std::uint64_t valeurs) {
    if (valeurs == kSorties) return sortie(gen);
    if (valeurs < kSorties) {
      // Equal buckets of the outputs; the outputs past the last whole bucket are drawn again.
      const std::uint64_t seau = (kSorties - 1) / valeurs;
      std::uint64_t x = sortie(gen);
      while (x >= valeurs * seau) x = sortie(gen);
      return x / seau;
    }
    // More values than outputs: a high part drawn by the rule above, then one output
    // for the low part, both again while the sum lies past the range.
    for (;;) {
      const std::uint64_t haut = parmi(gen, (valeurs - 1) / kSorties + 1) * kSorties;
      const std::uint64_t valeur = haut + sortie(gen);
      if (valeur < valeurs) return valeur;
    }
  }

  int low_;
  std::uint64_t valeurs_;
};

}  // namespace

std::uint16_t graine_horloge() {
  const auto nanosecondes = horloge_en_nanosecondes();
  return static_cast<std::uint16_t>(static_cast<std::uint64_t>(nanosecondes) & 0xFFFFu);
}

int random(int low, int high) {
  const TirageUniforme dist(low, std::max(low, high));
  return dist(etatjeu.gen);
}

int choixjeu() {
  if (etatjeu.dernier != 1 && etatjeu.dernier != 2) return 0;
  if (etatjeu.N == etatjeu.n) return 0;
  int borne = etatjeu.jmax;
  if (en_enlevant()) {
    etatjeu.m = std::min(etatjeu.ntas, etatjeu.jmax);
    borne = etatjeu.m;
  }
  etatjeu.njeux = static_cast<std::int32_t>(distance_a_jouer() % (int64_t{etatjeu.jmax} + 1));
  if (etatjeu.njeux == 0) etatjeu.njeux = random(1, borne);
  return 0;
}

int annonce() {
  std::cout << "\n \n \t ";
  if (etatjeu.tour == 2) std::cout << kMachineVa;
  if (etatjeu.tour == 1) std::cout << kJoueurVa;
  appliquer_coup();
  std::cout << etatjeu.njeux << (etatjeu.njeux < 2 ? kCoupDUneAllumette : kCoupDeDesAllumettes);
  std::cout << kAppuyezEntree;
  std::cin.get();
  if (etatjeu.flag == 0) Clear();
  etatjeu.A = affichage();
  etatjeu.A = testfin();
  passer_le_tour();
  return 0;
}

int testfin() {
  if (!partie_finie()) return 0;
  std::cout << kPartieTerminee << verdict();
  arreter_la_partie();
  return 0;
}

int teststop() {
  if (etatjeu.njeux != 0) return 0;
  arreter_la_partie();
  std::cout << kInterrompue;
  return 0;
}
