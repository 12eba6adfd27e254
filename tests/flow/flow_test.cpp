// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
#include "flow/flow.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "state/state.hpp"
#include "support/console.hpp"

namespace {

const std::string kRejouerPartie =
    " \n \n \t Voulez-vous rejouer cette partie : Oui[1]  /  Non[0]  ?   ";
const std::string kRejouerJeu = " \n \n \t Voulez-vous rejouer a ce jeu :  Oui[1] /  Non[0] ?  ";

struct CasRejouer {
  const char* nom;
  std::string entree;
  int rejouer, debut, recommencer, dernier;
  std::string sortie;
};

// A pass that has no game pending asks only the replay questions.
TEST(ReplayQuestions, LeaveTheStateForTheNextPass) {
  const std::vector<CasRejouer> table = {
      {"same configuration again", "1\n", 1, 0, 1, 2, kRejouerPartie},
      {"new setup", "0\n1\n", 0, 1, 1, 0, kRejouerPartie + kRejouerJeu},
      {"end of the run", "0\n0\n", 0, 1, 0, 0, kRejouerPartie + kRejouerJeu},
      {"refused answers ask again", "2\noui\n0\n10\n0\n", 0, 1, 0, 0,
       kRejouerPartie + kRejouerPartie + kRejouerPartie + kRejouerJeu + kRejouerJeu},
  };
  for (const auto& c : table) {
    SCOPED_TRACE(c.nom);
    ConsoleDeTest console(c.entree);
    etatjeu.dernier = 2;
    EXPECT_EQ(jouer(), 0);
    EXPECT_EQ(etatjeu.rejouer, c.rejouer);
    EXPECT_EQ(etatjeu.debut, c.debut);
    EXPECT_EQ(etatjeu.recommencer, c.recommencer);
    EXPECT_EQ(etatjeu.dernier, c.dernier);
    EXPECT_EQ(console.sortie(), c.sortie);
  }
}

}  // namespace
