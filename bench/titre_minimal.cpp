// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
// The yardstick of start-up: a minimal C++ program that prints the bytes the game prints
// up to its first question (and the line feed of its end at end of input), then exits.
#include <iostream>

#include "titre.hpp"  // kTitre, generated from the end-of-input transcript

int main() {
  std::cout.write(kTitre, sizeof kTitre - 1);
  return 1;
}
