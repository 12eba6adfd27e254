// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
#include "support/console.hpp"

#include "state/state.hpp"

ConsoleDeTest::TamponSansRetour::TamponSansRetour(std::string texte) : texte_(std::move(texte)) {
  char* debut = texte_.data();
  setg(debut, debut, debut + texte_.size());
}

ConsoleDeTest::ConsoleDeTest(std::string entree)
    : entree_(std::move(entree)),
      ancien_cin_(std::cin.rdbuf(&entree_)),
      ancien_cout_(std::cout.rdbuf(capture_.rdbuf())) {
  std::cin.clear();
  remettre_a_zero();
}

ConsoleDeTest::~ConsoleDeTest() {
  std::cin.rdbuf(ancien_cin_);
  std::cout.rdbuf(ancien_cout_);
  std::cin.clear();
}

std::string ConsoleDeTest::reste() const {
  return entree_.reste();
}
