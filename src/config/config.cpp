// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
#include "config/config.hpp"

#include <cstdint>
#include <limits>

#include "prompts/prompts.hpp"
#include "state/state.hpp"

namespace {

constexpr const char* kQuestionDepart = " \n \t \t Combien d'allumettes au debut du jeu ?  : ";
constexpr const char* kQuestionFin = " \n \t \t Combien d'allumettes a la fin du jeu ?  :  ";
constexpr const char* kQuestionAjouter =
    " \n \t \t Combien d'allumettes maximum peut on ajouter a chaque coup ?  :  ";
constexpr const char* kQuestionEnlever =
    " \n \t \t Combien d'allumettes maximum peut on enlever a chaque coup ?  :  ";
constexpr int kEcartMinimal = 3;

int demander_nombre(const char* question, int zero_refuse) {
  etatjeu.xn = zero_refuse;
  demander(kNombre, question);
  return etatjeu.valeur0;
}

bool trop_proches(std::int64_t depart, std::int64_t fin) {
  const std::int64_t ecart = depart > fin ? depart - fin : fin - depart;
  return ecart < kEcartMinimal;
}

// Upwards, the last move may start from n - 1: the heap must still fit in 32 bits.
bool depasse_en_ajoutant(std::int32_t jmax) {
  return std::int64_t{etatjeu.n} - 1 + jmax > std::numeric_limits<std::int32_t>::max();
}

void demander_coup_maximal() {
  const bool ajouter = etatjeu.n > etatjeu.N;
  std::int32_t jmax = 0;
  do {
    jmax = demander_nombre(ajouter ? kQuestionAjouter : kQuestionEnlever, 1);
  } while (ajouter && depasse_en_ajoutant(jmax));
  etatjeu.xn = 0;
  etatjeu.jmax = jmax;
}

}  // namespace

int config() {
  etatjeu.N = demander_nombre(kQuestionDepart, 0);
  etatjeu.ntas = etatjeu.N;
  do {
    etatjeu.n = demander_nombre(kQuestionFin, 1);
  } while (trop_proches(etatjeu.N, etatjeu.n));
  demander_coup_maximal();
  return 0;
}
