// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
// A console for in-process tests: std::cin reads a given text through a buffer that
// cannot seek, as a pipe does, and std::cout is captured; the game state starts at zero.
#pragma once

#include <iostream>
#include <sstream>
#include <streambuf>
#include <string>

class ConsoleDeTest {
 public:
  explicit ConsoleDeTest(std::string entree = "");
  ~ConsoleDeTest();
  ConsoleDeTest(const ConsoleDeTest&) = delete;
  ConsoleDeTest& operator=(const ConsoleDeTest&) = delete;

  /// Everything written to std::cout so far.
  std::string sortie() const { return capture_.str(); }
  /// The input not read yet.
  std::string reste() const;

 private:
  // Serves a fixed text; the inherited seekoff fails, as on a pipe.
  class TamponSansRetour : public std::streambuf {
   public:
    explicit TamponSansRetour(std::string texte);
    std::string reste() const { return std::string(gptr(), egptr()); }

   private:
    std::string texte_;
  };

  TamponSansRetour entree_;
  std::ostringstream capture_;
  std::streambuf* ancien_cin_;
  std::streambuf* ancien_cout_;
};
