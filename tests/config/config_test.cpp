// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
#include "config/config.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "state/state.hpp"
#include "support/console.hpp"

namespace {

const std::string D = " \n \t \t Combien d'allumettes au debut du jeu ?  : ";
const std::string F = " \n \t \t Combien d'allumettes a la fin du jeu ?  :  ";
const std::string AJ =
    " \n \t \t Combien d'allumettes maximum peut on ajouter a chaque coup ?  :  ";
const std::string EN =
    " \n \t \t Combien d'allumettes maximum peut on enlever a chaque coup ?  :  ";

struct CasConfig {
  const char* nom;
  std::string entree;
  int N, n, jmax;
  std::string sortie;
};

TEST(CustomConfiguration, AsksUntilTheCountsMakeAGame) {
  const std::vector<CasConfig> table = {
      {"classic counts by hand", "16\n1\n3\n", 16, 1, 3, D + F + EN},
      {"finishing counts 14 to 18 refused around 16", "16\n14\n15\n16\n17\n18\n13\n3\n", 16, 13, 3,
       D + F + F + F + F + F + F + EN},
      {"nineteen is three above sixteen", "16\n19\n3\n", 16, 19, 3, D + F + AJ},
      {"starting from zero", "0\n2\n1\n3\n2\n", 0, 3, 2, D + F + F + F + AJ},
      {"twenty down to one removes", "20\n1\n4\n", 20, 1, 4, D + F + EN},
      {"ten up to twenty adds", "10\n20\n4\n", 10, 20, 4, D + F + AJ},
      {"zero refused for the finishing count and the largest move", "5\n0\n9\n0\n2\n", 5, 9, 2,
       D + F + F + AJ + AJ},
      {"a largest move above the distance is accepted", "16\n1\n50\n", 16, 1, 50, D + F + EN},
      {"the largest 32-bit move when removing", "16\n1\n2147483647\n", 16, 1, 2147483647,
       D + F + EN},
      {"malformed answers asked again", "abc -3 16\n+1\n1.5 +3\n", 16, 1, 3,
       D + D + D + F + EN + EN},
  };
  for (const auto& c : table) {
    SCOPED_TRACE(c.nom);
    ConsoleDeTest console(c.entree);
    EXPECT_EQ(config(), 0);
    EXPECT_EQ(etatjeu.N, c.N);
    EXPECT_EQ(etatjeu.ntas, c.N);
    EXPECT_EQ(etatjeu.n, c.n);
    EXPECT_EQ(etatjeu.jmax, c.jmax);
    EXPECT_EQ(etatjeu.xn, 0);
    EXPECT_EQ(console.sortie(), c.sortie);
  }
}

// Upwards, the last move starts from n - 1 at most, so n - 1 + jmax must fit in 32 bits.
TEST(CustomConfiguration, RefusesALargestMoveThatWouldOverflowTheHeapUpwards) {
  const std::vector<CasConfig> table = {
      {"up to 100", "10\n100\n2147483549\n2147483548\n", 10, 100, 2147483548, D + F + AJ + AJ},
      {"up to the largest count", "0\n2147483647\n2\n1\n", 0, 2147483647, 1, D + F + AJ + AJ},
      {"removing has no such bound", "2147483647\n1\n2147483647\n", 2147483647, 1, 2147483647,
       D + F + EN},
  };
  for (const auto& c : table) {
    SCOPED_TRACE(c.nom);
    ConsoleDeTest console(c.entree);
    config();
    EXPECT_EQ(etatjeu.n, c.n);
    EXPECT_EQ(etatjeu.jmax, c.jmax);
    EXPECT_EQ(console.sortie(), c.sortie);
  }
}

}  // namespace
