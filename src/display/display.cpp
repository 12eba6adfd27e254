// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
#include "display/display.hpp"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <iostream>
#include <limits>
#include <string>
#include <string_view>

#include "platform/platform.hpp"
#include "prompts/prompts.hpp"
#include "state/state.hpp"

namespace {

using std::int64_t;

constexpr std::string_view kEffacer = "\33[H\33[2J";
constexpr std::string_view kEntree = " \n \n";
constexpr std::string_view kRetrait = "    ";
constexpr std::string_view kUneAllumette = "  allumette  :  \n \n";
constexpr std::string_view kDesAllumettes = "  allumettes : \n \n";
constexpr std::string_view kMarge = "               ";
constexpr std::string_view kCellule = "|  ";
constexpr std::string_view kMilieuDeRangee = "       ";
constexpr std::string_view kRangeeSuivante = "\n \n               ";
constexpr std::string_view kEcart = "   ";
constexpr std::string_view kCelluleLarge = "|     ";
constexpr std::string_view kPlusUnEt = " + 1    et     ";
constexpr std::string_view kEgal = " = ";
constexpr std::string_view kPlus = " + ";
constexpr std::string_view kFois = " X ";
constexpr std::string_view kLigneDesGroupes = " \n \n                ";
constexpr int kCellulesParRangee = 20;
constexpr int kCellulesParDemiRangee = 10;

// Collects the pictures and hands them to std::cout in large blocks, so that a heap of
// millions of matches costs little more than its bytes. Every public drawing empties it
// before it returns, so the pictures keep their place among the other output.
class Dessin {
 public:
  Dessin() { tampon_.reserve(2 * kBloc); }

  Dessin& operator<<(std::string_view texte) {
    if (texte.size() >= kBloc) {
      vider();
      ecrire(texte);
      return *this;
    }
    tampon_.append(texte);
    if (tampon_.size() >= kBloc) vider();
    return *this;
  }

  Dessin& operator<<(int64_t nombre) {
    char chiffres[24];
    const auto fin = std::to_chars(chiffres, chiffres + sizeof chiffres, nombre).ptr;
    return *this << std::string_view(chiffres, static_cast<std::size_t>(fin - chiffres));
  }

  // Long runs go out as a block of many copies, written again and again.
  void repeter(std::string_view texte, int64_t fois) {
    if (texte.empty() || fois <= 0) return;
    // Enough copies to fill a block, so that each goes out directly, without a copy.
    const int64_t par_bloc = static_cast<int64_t>((kBloc + texte.size() - 1) / texte.size());
    if (fois > par_bloc) {
      std::string bloc;
      bloc.reserve(static_cast<std::size_t>(par_bloc) * texte.size());
      for (int64_t k = 0; k < par_bloc; ++k) bloc.append(texte);
      for (; fois >= par_bloc; fois -= par_bloc) *this << bloc;
    }
    for (; fois > 0; --fois) *this << texte;
  }

  void vider() {
    ecrire(tampon_);
    tampon_.clear();
  }

 private:
  static constexpr std::size_t kBloc = std::size_t{64} * 1024;

  // A picture nobody can see any more is not worth drawing to its end.
  static void ecrire(std::string_view texte) {
    if (!std::cout.write(texte.data(), static_cast<std::streamsize>(texte.size()))) {
      fin_de_la_console();
    }
  }

  std::string tampon_;
};

Dessin& dessin() {
  static Dessin unique;
  return unique;
}

// The loop counters of the state are 32-bit; a picture of 2147483647 matches ends one past.
std::int32_t borne_32(int64_t valeur) {
  return static_cast<std::int32_t>(
      std::min<int64_t>(valeur, std::numeric_limits<std::int32_t>::max()));
}

void ecrire_entete(Dessin& d) {
  d << kEntree << kRetrait << int64_t{etatjeu.ntas};
  d << (etatjeu.ntas < 2 ? kUneAllumette : kDesAllumettes);
}

// A whole row: ten cells, the mid-row gap, ten cells and the margin of the next row.
std::string rangee_complete() {
  std::string rangee;
  for (int k = 1; k <= kCellulesParRangee; ++k) {
    rangee += kCellule;
    if (k == kCellulesParDemiRangee) rangee += kMilieuDeRangee;
  }
  rangee += kRangeeSuivante;
  return rangee;
}

void dessiner_tas_simple() {
  static const std::string rangee = rangee_complete();
  Dessin& d = dessin();
  ecrire_entete(d);
  d << kMarge;
  const int64_t total = std::max<int64_t>(etatjeu.ntas, 0);
  d.repeter(rangee, total / kCellulesParRangee);
  const int64_t reste = total % kCellulesParRangee;
  d.repeter(kCellule, std::min<int64_t>(reste, kCellulesParDemiRangee));
  if (reste >= kCellulesParDemiRangee) {
    d << kMilieuDeRangee;
    d.repeter(kCellule, reste - kCellulesParDemiRangee);
  }
  etatjeu.i = borne_32(total + 1);
}

struct Division {
  int64_t g, q, r;
};

// Splits a distance into groups of jmax + 1; truncated, the remainder has its sign.
Division en_groupes(int64_t k) {
  const int64_t g = int64_t{etatjeu.jmax} + 1;
  return {g, k / g, k % g};
}

// Groups of `cellules` cells, each closed by `fin`; a small group is drawn once and repeated.
void repeter_groupes(Dessin& d, int64_t groupes, int64_t cellules, std::string_view fin) {
  constexpr int64_t kPetitGroupe = 4096;
  if (groupes <= 0) return;
  if (cellules <= kPetitGroupe) {
    std::string groupe;
    for (int64_t k = 0; k < cellules; ++k) groupe += kCellule;
    groupe += fin;
    d.repeter(groupe, groupes);
    return;
  }
  for (int64_t k = 0; k < groupes; ++k) {
    d.repeter(kCellule, cellules);
    d << fin;
  }
}

// The block that stays below the end, the whole groups, then the remainder on top.
void dessiner_groupes(Dessin& d, const Division& div) {
  d.repeter(kCellule, etatjeu.m);
  d << kEcart;
  repeter_groupes(d, div.q, div.g, kEcart);
  d.repeter(kCellule, div.r);
}

void aide_enlever_dernier_gagne(Dessin& d) {
  const int64_t ntas = etatjeu.ntas, n = etatjeu.n;
  const Division div = en_groupes(ntas - n + 1);
  d << div.g << kEgal << int64_t{etatjeu.jmax} << kPlusUnEt << ntas << " = ( " << n << " - 1 )   + "
    << div.q << kFois << div.g << kPlus << div.r << kLigneDesGroupes;
  etatjeu.m = static_cast<std::int32_t>(std::min(n - 1, ntas));
  dessiner_groupes(d, div);
  d << kEcart;
}

void aide_enlever_dernier_perd(Dessin& d) {
  const int64_t ntas = etatjeu.ntas, n = etatjeu.n;
  const Division div = en_groupes(ntas - n);
  d << div.g << kEgal << int64_t{etatjeu.jmax} << kPlusUnEt << ntas << kEgal << n << kPlus << div.q
    << kFois << div.g << kPlus << div.r << kLigneDesGroupes;
  etatjeu.m = static_cast<std::int32_t>(std::min(n, ntas));
  dessiner_groupes(d, div);
}

// The heap as it will be at the end, then as it is, cut at the same boundaries.
void rangees_ajouter(Dessin& d, std::int32_t fin_des_groupes) {
  d << "A la fin  :     ";
  etatjeu.A = print(etatjeu.n, etatjeu.N, fin_des_groupes, etatjeu.jmax);
  d << " \n \n "
    << "En cours  :     ";
  etatjeu.A = print(etatjeu.ntas, etatjeu.N, fin_des_groupes, etatjeu.jmax);
}

void aide_ajouter_dernier_gagne(Dessin& d) {
  const int64_t ntas = etatjeu.ntas, n = etatjeu.n;
  const Division div = en_groupes(n - ntas);
  d << div.g << kEgal << int64_t{etatjeu.jmax} << kPlusUnEt << n << " - " << ntas << "   =  "
    << div.r << "  +  " << div.q << kFois << div.g << " \n \n ";
  rangees_ajouter(d, etatjeu.n);
}

void aide_ajouter_dernier_perd(Dessin& d) {
  const int64_t ntas = etatjeu.ntas, n = etatjeu.n;
  const Division div = en_groupes(n - 1 - ntas);
  d << div.g << kEgal << int64_t{etatjeu.jmax} << kPlusUnEt << n << "  -  " << ntas << "  =  "
    << div.r << "  +  " << div.q << kFois << div.g << "  +  1  \n \n ";
  rangees_ajouter(d, etatjeu.n - 1);
}

void dessiner_aide() {
  Dessin& d = dessin();
  ecrire_entete(d);
  if (etatjeu.N > etatjeu.n) {
    d << "       ";
    if (etatjeu.dernier == 1) aide_enlever_dernier_gagne(d);
    if (etatjeu.dernier == 2) aide_enlever_dernier_perd(d);
  } else if (etatjeu.N < etatjeu.n) {
    d << "     ";
    if (etatjeu.dernier == 1) aide_ajouter_dernier_gagne(d);
    if (etatjeu.dernier == 2) aide_ajouter_dernier_perd(d);
  }
}

// A row position by position, the rule itself: for rows whose first group would not
// follow the starting matches, which the game never draws (its rows all go in blocks).
void rangee_par_positions(Dessin& d, int64_t ntas1, int64_t N1, int64_t f, int64_t g1) {
  for (int64_t i = 1; i <= ntas1; ++i) {
    if (i <= N1) d << kCellule;
    if (i == N1) d << kEcart;
    if (i > N1 && i <= f) d << kCellule;
    if (i == f) d << kEcart;
    if (i > f) d << ((i - f) % g1 == 0 ? kCelluleLarge : kCellule);
  }
}

// The same row in blocks, when the first group follows the starting matches (every row
// the game draws): the starting block, the first group, whole groups, then the rest.
void rangee_par_blocs(Dessin& d, int64_t ntas1, int64_t N1, int64_t f, int64_t g1) {
  d.repeter(kCellule, std::min(N1, ntas1));
  if (N1 >= 1 && N1 <= ntas1) d << kEcart;
  d.repeter(kCellule, std::min(f, ntas1) - N1);
  if (f >= 1 && f <= ntas1) d << kEcart;
  const int64_t apres = ntas1 - f;
  if (apres <= 0) return;
  repeter_groupes(d, apres / g1, g1 - 1, kCelluleLarge);
  d.repeter(kCellule, apres % g1);
}

}  // namespace

int affichage() {
  if (etatjeu.flag == 2 && etatjeu.dernier != 0) {
    dessiner_aide();
  } else {
    dessiner_tas_simple();
  }
  dessin().vider();
  return 0;
}

void Clear() {
  if (!effacer_la_console()) std::cout << kEffacer;
}

int print(int ntas1, int N1, int n1, int jmax1) {
  etatjeu.i = 1;
  if (ntas1 <= 0) return 0;
  const int64_t g1 = int64_t{jmax1} + 1;
  const int64_t f = N1 + (int64_t{n1} - N1) % g1;  // the last position of the first group
  Dessin& d = dessin();
  if (N1 >= 0 && f >= N1) {
    rangee_par_blocs(d, ntas1, N1, f, g1);
  } else {
    rangee_par_positions(d, ntas1, N1, f, g1);
  }
  d.vider();
  etatjeu.i = borne_32(int64_t{ntas1} + 1);
  return 0;
}
