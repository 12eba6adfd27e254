// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
#include "state/state.hpp"

#include <cstring>
#include <iostream>  // Makes the standard streams ready before the state below is built.

#include "rules/rules.hpp"

namespace {

// The record is built during static start-up, seeded once from the clock.
EtatJeu etat_au_demarrage() {
  EtatJeu etat{};
  etat.seed = graine_horloge();
  etat.gen.seed(etat.seed);
  return etat;
}

}  // namespace

EtatJeu etatjeu = etat_au_demarrage();

void remettre_a_zero() {
  etatjeu = EtatJeu{};
}

void ecrire_message(const char* texte) {
  std::strncpy(etatjeu.message, texte, kTailleTexte - 1);
  etatjeu.message[kTailleTexte - 1] = '\0';
}
