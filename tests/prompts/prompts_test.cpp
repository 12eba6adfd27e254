// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
#include "prompts/prompts.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "state/state.hpp"
#include "support/console.hpp"

namespace {

std::string fois(const std::string& texte, int nombre) {
  std::string resultat;
  for (int k = 0; k < nombre; ++k) resultat += texte;
  return resultat;
}

struct CasChoix {
  const char* nom;
  int cas;
  std::string entree;
  int valeur;      // valeur2 once the call returns
  int affichages;  // how many times the prompt is printed
};

TEST(ChoiceReader, AcceptsOnlyTheListedSingleDigits) {
  const std::vector<CasChoix> table = {
      {"mode 1 takes 1", kChoix01, "1\n", 1, 1},
      {"mode 1 takes 0", kChoix01, "0\n", 0, 1},
      {"mode 1 refuses 2", kChoix01, "2\n1\n", 1, 2},
      {"mode 1 refuses 10", kChoix01, "10\n0\n", 0, 2},
      {"mode 1 refuses 01", kChoix01, "01\n1\n", 1, 2},
      {"mode 1 refuses oui", kChoix01, "oui\n1\n", 1, 2},
      {"mode 2 takes 1", kChoix12, "1\n", 1, 1},
      {"mode 2 takes 2", kChoix12, "2\n", 2, 1},
      {"mode 2 refuses 0, 3 and 12", kChoix12, "0\n3\n12\n2\n", 2, 4},
      {"mode 2 refuses 1x", kChoix12, "1x\n1\n", 1, 2},
      {"mode 3 takes 0", kChoix012, "0\n", 0, 1},
      {"mode 3 takes 2", kChoix012, "2\n", 2, 1},
      {"mode 3 refuses 3 and +1", kChoix012, "3\n+1\n1\n", 1, 3},
      {"a refused word then a good one on the same line", kChoix12, "5 2\n", 2, 2},
      {"spaces and empty lines are no answer", kChoix12, "\n\n   \t\n  2\n", 2, 1},
      {"a word starting with NUL counts as nothing read", kChoix12, std::string("\0x 1\n", 5), 1,
       2},
      {"a word of 200 characters is refused whole", kChoix01, fois("1", 200) + "\n0\n", 0, 2},
      {"a word of 250 characters is not split in two", kChoix01, fois("1", 250) + " 0\n", 0, 2},
      {"a word of 200 bytes is refused even when 1 and NUL begin it", kChoix01,
       std::string("1\0", 2) + fois("x", 198) + "\n0\n", 0, 2},
  };
  const std::string question = " \n \t Question ?  ";
  for (const auto& c : table) {
    SCOPED_TRACE(c.nom);
    ConsoleDeTest console(c.entree);
    ecrire_message(question.c_str());
    EXPECT_EQ(controle(c.cas, etatjeu.message), 0);
    EXPECT_EQ(etatjeu.valeur2, c.valeur);
    EXPECT_EQ(etatjeu.refaire, 0);
    EXPECT_EQ(console.sortie(), fois(question, c.affichages));
  }
}

TEST(ChoiceReader, LeavesWhatFollowsTheAnswerForTheNextQuestion) {
  ConsoleDeTest console("1 2\n");
  ecrire_message("A ");
  controle(kChoix012, etatjeu.message);
  EXPECT_EQ(etatjeu.valeur2, 1);
  EXPECT_EQ(console.reste(), " 2\n");
  ecrire_message("B ");
  controle(kChoix12, etatjeu.message);
  EXPECT_EQ(etatjeu.valeur2, 2);
  EXPECT_EQ(console.reste(), "\n");
  EXPECT_EQ(console.sortie(), "A B ");
}

TEST(ChoiceReader, EmptyPromptPrintsNothing) {
  ConsoleDeTest console("x 0\n");
  ecrire_message("");
  controle(kChoix01, etatjeu.message);
  EXPECT_EQ(etatjeu.valeur2, 0);
  EXPECT_EQ(console.sortie(), "");
}

TEST(ChoiceReader, UnknownModeReadsAndPrintsNothing) {
  for (int cas : {0, 4, 8, 10, -1}) {
    ConsoleDeTest console("1\n");
    etatjeu.valeur0 = 77;
    etatjeu.valeur2 = 88;
    controle(cas, "Question ? ");
    EXPECT_EQ(console.sortie(), "") << "mode " << cas;
    EXPECT_EQ(console.reste(), "1\n") << "mode " << cas;
    EXPECT_EQ(etatjeu.valeur0, 77);
    EXPECT_EQ(etatjeu.valeur2, 88);
  }
}

TEST(ChoiceReader, EndOfInputEndsTheRunWithStatusOne) {
  const std::vector<std::string> entrees = {"", "   \n\n", "3 4\n", "1"};
  for (const auto& entree : entrees) {
    EXPECT_EXIT(
        {
          ConsoleDeTest console(entree);
          controle(kChoix12, "Q ");
          controle(kChoix12, "Q ");
        },
        testing::ExitedWithCode(1), "")
        << "input \"" << entree << "\"";
  }
}

struct CasNombre {
  std::string mot;
  bool accepte_sans_xn;
  bool accepte_avec_xn;
  int valeur;
};

// Each word is followed by 7, which is taken when the word itself is refused.
TEST(NumberReader, AcceptsExactlyTheWellFormedNumbers) {
  const std::vector<CasNombre> table = {
      {"5", true, true, 5},
      {"12", true, true, 12},
      {"10", true, true, 10},
      {"100", true, true, 100},
      {"2147483647", true, true, 2147483647},
      {"+2147483647", true, true, 2147483647},
      {"0", true, false, 0},
      {"00", false, false, 0},
      {"05", false, false, 0},
      {"007", false, false, 0},
      {"+5", true, true, 5},
      {"+50", true, true, 50},
      {"+", false, false, 0},
      {"+0", false, false, 0},
      {"+05", false, false, 0},
      {"++5", false, false, 0},
      {"-5", false, false, 0},
      {"-", false, false, 0},
      {"-0", false, false, 0},
      {"5+", false, false, 0},
      {"1-2", false, false, 0},
      {"12+", false, false, 0},
      {"+1-", false, false, 0},
      {std::string(1, '\0') + "5", false, false, 0},
      {"1a", false, false, 0},
      {"3.5", false, false, 0},
      {"2147483648", false, false, 0},
      {"+2147483648", false, false, 0},
      {"4294967297", false, false, 0},
      {"99999999999999999999", false, false, 0},
      {std::string(150, '9'), false, false, 0},
      {"\xC3\xA9", false, false, 0},
  };
  const std::string question = " \n \t Combien ? : ";
  for (const auto& c : table) {
    for (int xn : {0, 1}) {
      SCOPED_TRACE("word \"" + c.mot + "\", xn " + std::to_string(xn));
      const bool accepte = xn == 1 ? c.accepte_avec_xn : c.accepte_sans_xn;
      ConsoleDeTest console(c.mot + "\n7\n");
      etatjeu.xn = xn;
      ecrire_message(question.c_str());
      controle(kNombre, etatjeu.message);
      EXPECT_EQ(etatjeu.valeur0, accepte ? c.valeur : 7);
      EXPECT_EQ(console.sortie(), fois(question, accepte ? 1 : 2));
      EXPECT_EQ(etatjeu.xn, xn);
    }
  }
}

TEST(NumberReader, TakesTheNextWordOfTheSameLineAfterARefusal) {
  ConsoleDeTest console("x 7\n");
  controle(kNombre, "? ");
  EXPECT_EQ(etatjeu.valeur0, 7);
  EXPECT_EQ(console.sortie(), "? ? ");
  EXPECT_EQ(console.reste(), "\n");
}

TEST(NumberReader, RefusedZeroThenThreeOnTwoLines) {
  ConsoleDeTest console("0\n3\n");
  etatjeu.xn = 1;
  controle(kNombre, "? ");
  EXPECT_EQ(etatjeu.valeur0, 3);
  EXPECT_EQ(console.sortie(), "? ? ");
}

TEST(NumberReader, EndOfInputEndsTheRunWithStatusOne) {
  EXPECT_EXIT(
      {
        ConsoleDeTest console("-3 abc");
        controle(kNombre, "? ");
      },
      testing::ExitedWithCode(1), "");
}

struct CasCaractere {
  char caractere;
  int resultat;
  int valeur;
};

TEST(CharacterClassifier, GivesSignsAndDigitsTheirValue) {
  const std::vector<CasCaractere> table = {
      {'+', 1, 1}, {'-', 1, -1}, {'0', 1, 0},    {'5', 1, 5},    {'9', 1, 9},
      {',', 0, 0}, {'.', 0, 0},  {'/', 0, 0},    {'a', 0, 0},    {' ', 0, 0},
      {':', 0, 0}, {'\0', 0, 0}, {'\x80', 0, 0}, {'\xFF', 0, 0},
  };
  for (const auto& c : table) {
    ConsoleDeTest console;
    etatjeu.valtest1 = 42;
    etatjeu.valtest2 = 42;
    EXPECT_EQ(valtest(c.caractere), c.resultat) << "code " << int(c.caractere);
    EXPECT_EQ(etatjeu.valtest2, c.valeur) << "code " << int(c.caractere);
    EXPECT_EQ(etatjeu.valtest1, c.valeur) << "code " << int(c.caractere);
  }
}

}  // namespace
