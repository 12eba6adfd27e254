// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
#include "prompts/prompts.hpp"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <limits>
#include <locale>
#include <string>

#include "platform/platform.hpp"
#include "state/state.hpp"

namespace {

using Traits = std::char_traits<char>;

void afficher_question(const char* chaine) {
  for (etatjeu.a = 0; etatjeu.a < etatjeu.l; ++etatjeu.a) std::cout << chaine[etatjeu.a];
}

// Formatted extraction of one word (leading whitespace skipped, the whitespace that ends
// the word left unread), except that the word kept is cut at kTailleTexte characters:
// a longer word cannot be an answer, and need not fill memory.
bool lire_mot(std::string& mot) {
  mot.clear();
  const std::istream::sentry garde(std::cin);
  if (!garde) return false;
  const auto& classes = std::use_facet<std::ctype<char>>(std::cin.getloc());
  std::streambuf* tampon = std::cin.rdbuf();
  auto c = tampon->sgetc();
  while (!Traits::eq_int_type(c, Traits::eof()) &&
         !classes.is(std::ctype_base::space, Traits::to_char_type(c))) {
    if (mot.size() < kTailleTexte) mot.push_back(Traits::to_char_type(c));
    c = tampon->snextc();
  }
  if (Traits::eq_int_type(c, Traits::eof())) std::cin.setstate(std::ios::eofbit);
  return true;
}

// A word too long for entree is dropped like an empty one: the question comes again.
void ranger_reponse(const std::string& mot) {
  const std::size_t taille = mot.size() < kTailleTexte ? mot.size() : 0;
  std::memcpy(etatjeu.entree, mot.data(), taille);
  etatjeu.entree[taille] = '\0';
  etatjeu.l1 = static_cast<std::int32_t>(std::strlen(etatjeu.entree));
}

// Prints the prompt and reads one word, again and again while nothing is read.
void une_tentative(const char* chaine) {
  std::string mot;
  do {
    afficher_question(chaine);
    // Nobody can read the question any more: stop rather than wait for an answer.
    if (!std::cout.flush()) fin_de_la_console();
    if (!lire_mot(mot)) fin_de_la_console();
    ranger_reponse(mot);
  } while (etatjeu.l1 == 0);
}

bool chiffre_propose(int cas, char c) {
  switch (cas) {
    case kChoix01:
      return c == '0' || c == '1';
    case kChoix12:
      return c == '1' || c == '2';
    default:
      return c == '0' || c == '1' || c == '2';
  }
}

void lire_choix(int cas, const char* chaine) {
  while (etatjeu.refaire == 1) {
    etatjeu.l1 = 0;
    une_tentative(chaine);
    if (etatjeu.l1 == 1 && chiffre_propose(cas, etatjeu.entree[0])) {
      etatjeu.valeur2 = etatjeu.entree[0] - '0';
      etatjeu.refaire = 0;
    }
  }
}

void accepter(std::int64_t valeur) {
  etatjeu.valeur0 = static_cast<std::int32_t>(valeur);
  ++etatjeu.a1;
}

void refuser() {
  etatjeu.refaire = 1;
}

// A number that would not fit in valeur0 is refused like any malformed answer.
void ajouter_chiffre() {
  const std::int64_t valeur = std::int64_t{etatjeu.valeur0} * 10 + etatjeu.valtest2;
  if (valeur > std::numeric_limits<std::int32_t>::max()) {
    refuser();
  } else {
    accepter(valeur);
  }
}

void premier_caractere(char c) {
  if (c == '-') {
    refuser();
  } else if (c == '+') {
    accepter(etatjeu.valtest2);
    if (etatjeu.l1 == 1) refuser();
  } else if (c == '0') {
    if (etatjeu.l1 == 1) {
      accepter(0);
    } else {
      refuser();
    }
  } else {
    accepter(etatjeu.valtest2);
  }
}

// Second character: after a plus sign it is the first digit, and may not be 0.
void deuxieme_caractere(char c) {
  if (c == '+' || c == '-') {
    refuser();
  } else if (etatjeu.entree[0] != '+') {
    ajouter_chiffre();
  } else if (c == '0') {
    refuser();
  } else {
    accepter(etatjeu.valtest2);
  }
}

void caractere_suivant(char c) {
  if (c == '+' || c == '-') {
    refuser();
  } else {
    ajouter_chiffre();
  }
}

// The next position is the count of accepted characters, so after a refusal the scan
// stays where it was and stops on refaire.
void examiner_nombre() {
  etatjeu.a = 0;
  etatjeu.a1 = 0;
  while (etatjeu.a < etatjeu.l1 && etatjeu.refaire == 0) {
    const char c = etatjeu.entree[etatjeu.a];
    if (valtest(c) == 0) {
      refuser();
    } else if (etatjeu.a == 0) {
      premier_caractere(c);
    } else if (etatjeu.a == 1) {
      deuxieme_caractere(c);
    } else {
      caractere_suivant(c);
    }
    etatjeu.a = etatjeu.a1;
  }
}

void lire_nombre(const char* chaine) {
  etatjeu.a = 0;
  do {
    etatjeu.refaire = 0;
    etatjeu.l1 = 0;
    une_tentative(chaine);
    examiner_nombre();
  } while ((etatjeu.xn == 1 && etatjeu.valeur0 == 0) || etatjeu.refaire == 1);
}

// Drops what waits in a regular file; a pipe, a terminal or a console keeps every byte.
// std::cin reads through the C stream stdin (the two are kept in step), and not every
// library can seek std::cin itself, so the C stream is the one moved to its end.
void sauter_un_fichier() {
  if (entree_est_un_fichier()) std::fseek(stdin, 0, SEEK_END);
}

}  // namespace

int controle(int cas, const char* chaine) {
  sauter_un_fichier();
  std::cin.clear();
  etatjeu.refaire = 1;
  etatjeu.l = static_cast<std::int32_t>(std::strlen(chaine));
  if (cas == kChoix01 || cas == kChoix12 || cas == kChoix012) {
    lire_choix(cas, chaine);
  } else if (cas == kNombre) {
    lire_nombre(chaine);
  }
  return 0;
}

void demander(int cas, const char* question) {
  ecrire_message(question);
  etatjeu.A = controle(cas, etatjeu.message);
}

int valtest(char caract1) {
  etatjeu.valtest1 = 0;
  etatjeu.valtest2 = 0;
  std::int32_t valeur = 0;
  if (caract1 == '+') {
    valeur = 1;
  } else if (caract1 == '-') {
    valeur = -1;
  } else if (caract1 >= '0' && caract1 <= '9') {
    valeur = caract1 - '0';
  } else {
    return 0;
  }
  etatjeu.valtest1 = valeur;
  etatjeu.valtest2 = valeur;
  return 1;
}
