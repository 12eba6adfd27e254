// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
#include "flow/flow.hpp"

#include <iostream>
#include <limits>

#include "config/config.hpp"
#include "display/display.hpp"
#include "prompts/prompts.hpp"
#include "rules/rules.hpp"
#include "state/state.hpp"

namespace {

// The title screen, printed at every setup.
// clang-format off
constexpr const char* kEcranTitre[] = {
    " \n   POUR MODIFIER LA TAILLE DU TEXTE : [TOUCHE CTRL] + [TOUCHE +/-]. PLEIN ECRAN : [F11] ",
    " \n \n \t JEUX de TROZ - Redarir. \n",
    " \t Le jeu des allumettes, en console, contre la Machine. \n",
    " \n \n \t De nombreux jeux de Troz se jouent avec un ou plusieurs tas d'objets "
    "(des allumettes par exemple).",
    " \n \t Chaque joueur modifiant un ou plusieurs tas selon les regles adoptes.",
    " \n \n \t la configuration classique est celle avec un tas de depart de 16 allumettes. ",
    " \n \n \t Il y a 2 joueurs : Vous et la Machine.",
    " \n \t Chaque joueur prend, quand c'est son tour, un nombre d'allumettes "
    "inferieur ou egal a 3. ",
    " \n \t On decide avant le debut de la partie, si celui qui prend la derniere allumette, "
    "perd ou gagne. ",
};
// clang-format on
constexpr const char* kQuestionAffichage =
    "\n \n \n \t Voulez vous afficher :   Le jeu en cours seul [0] , Toute la partie [1] , De "
    "l'aide pour jouer  [2]  ?  : ";
constexpr const char* kConfigurationsPersonnalisees =
    " \n \n \t Les configurations personnalisees permettent de faire varier les nombres "
    "d'allumettes de depart et d'arrivee, \n \t ainsi que le nombre maximum d'allumettes que "
    "l'on peut enlever a chaque coup. En choisissant un nombre de depart \n \t plus faible que "
    "celui d'arrivee, le jeu se fera en ajoutant des allumettes au lieu de les enlever. ";
constexpr const char* kQuestionConfiguration =
    "\n \n \n \t Jeu classique [1]  , Configuration personnalisee [2] ?  ";
constexpr const char* kQuestionRegle = "\n \n  \t \t \t Gagnera [1] , Perdra [2]  ?   ";

// The classic configuration: 16 matches down to the last one, at most 3 a move.
constexpr int kClassiqueDepart = 16;
constexpr int kClassiqueFin = 1;
constexpr int kClassiqueCoupMax = 3;

// Who ends the game: the lead-in of the rule question and the rule reminder both say it.
constexpr const char* kCeluiQuiPrendra = "\n \n \t Celui qui prendra la derniere allumette";
constexpr const char* kCeluiQuiEntamera = "\n \n \t Celui qui entamera le tas des ";
constexpr const char* kDenieresAllumettes = " denieres allumettes";
constexpr const char* kCeluiQuiAtteindra = "\n \n \t Celui qui atteindra la ";
constexpr const char* kEmeAllumette = " eme allumette";
constexpr const char* kPeutEnlever = " \n \n \t Un joueur peut enlever ";
constexpr const char* kPeutAjouter = " \n \n \t Un joueur peut ajouter ";
constexpr const char* kAuMaximum = " allumettes au maximum.";

constexpr const char* kLigneEtoiles =
    " \n \n \n  "
    "**********************************************************************************************"
    " \n ";
constexpr const char* kQuestionQuiCommence =
    "\n \n \t Qui joue en premier : Le Joueur [1] ,  La Machine [2]  ?  ";
constexpr const char* kAVousDeJouer = "\n \n \n C'est a vous de jouer : \n  ";
constexpr const char* kQuestionRetirer =
    " \n \n \t Combien d'allumettes voulez-vous retirer [0 pour arreter la partie] ? : ";
constexpr const char* kQuestionAjouter =
    " \n \n \t Combien d'allumettes voulez-vous ajouter [0 pour arreter la partie] ? : ";
constexpr const char* kLaMachineVaJouer = "\n \n \n La machine va jouer. \n \n ";

constexpr const char* kRejouerPartie =
    " \n \n \t Voulez-vous rejouer cette partie : Oui[1]  /  Non[0]  ?   ";
constexpr const char* kRejouerJeu =
    " \n \n \t Voulez-vous rejouer a ce jeu :  Oui[1] /  Non[0] ?  ";

// The three ways a game can end, tested in this order.
enum class FinDePartie { DerniereAllumette, DernieresAllumettes, NiemeAllumette, Aucune };

FinDePartie fin_de_partie() {
  if (etatjeu.n == 1) return FinDePartie::DerniereAllumette;
  if (1 < etatjeu.n && etatjeu.n < etatjeu.N) return FinDePartie::DernieresAllumettes;
  if (etatjeu.N < etatjeu.n) return FinDePartie::NiemeAllumette;
  return FinDePartie::Aucune;
}

// --- Setup dialogue ---

void afficher_ecran_titre() {
  for (const char* ligne : kEcranTitre) std::cout << ligne;
}

void choisir_configuration() {
  demander(kChoix12, kQuestionConfiguration);
  etatjeu.config0 = etatjeu.valeur2;
  if (etatjeu.config0 == 1) {
    etatjeu.N = kClassiqueDepart;
    etatjeu.n = kClassiqueFin;
    etatjeu.jmax = kClassiqueCoupMax;
    etatjeu.ntas = etatjeu.N;
  } else {
    etatjeu.A = config();
  }
}

void introduire_regle() {
  switch (fin_de_partie()) {
    case FinDePartie::DerniereAllumette:
      std::cout << kCeluiQuiPrendra << " :  ";
      break;
    case FinDePartie::DernieresAllumettes:
      std::cout << kCeluiQuiEntamera << etatjeu.n << kDenieresAllumettes << " :  ";
      break;
    case FinDePartie::NiemeAllumette:
      std::cout << kCeluiQuiAtteindra << etatjeu.n << kEmeAllumette << " :   ";
      break;
    case FinDePartie::Aucune:
      break;
  }
}

void preparer_le_jeu() {
  afficher_ecran_titre();
  demander(kChoix012, kQuestionAffichage);
  etatjeu.flag = etatjeu.valeur2;
  std::cout << kConfigurationsPersonnalisees;
  choisir_configuration();
  etatjeu.dernier = 0;
  etatjeu.A = affichage();
  introduire_regle();
  demander(kChoix12, kQuestionRegle);
  etatjeu.dernier = etatjeu.valeur2;
  etatjeu.rejouer = 2;
  if (etatjeu.flag == 2) etatjeu.A = affichage();
}

// --- Turn loop ---

void rappeler_regle() {
  switch (fin_de_partie()) {
    case FinDePartie::DerniereAllumette:
      std::cout << kPeutEnlever << etatjeu.jmax << kAuMaximum << kCeluiQuiPrendra << "  ";
      break;
    case FinDePartie::DernieresAllumettes:
      std::cout << kPeutEnlever << etatjeu.jmax << kAuMaximum << kCeluiQuiEntamera << etatjeu.n
                << kDenieresAllumettes << "  ";
      break;
    case FinDePartie::NiemeAllumette:
      std::cout << kPeutAjouter << etatjeu.jmax << kAuMaximum << kCeluiQuiAtteindra << etatjeu.n
                << kEmeAllumette << "  ";
      break;
    case FinDePartie::Aucune:
      break;
  }
  std::cout << (etatjeu.dernier == 1 ? "gagnera." : "perdra.");
}

// A replay starts again from the starting heap, drawn on a clean screen or below a line.
void preambule_de_replay() {
  if (etatjeu.flag == 0) {
    Clear();
  } else {
    std::cout << kLigneEtoiles;
  }
  etatjeu.ntas = etatjeu.N;
  etatjeu.A = affichage();
}

// An answer above jmax is asked again; the heap left is not checked, so a move may
// carry the heap past the end.
void tour_du_joueur() {
  rappeler_regle();
  std::cout << kAVousDeJouer;
  do {
    etatjeu.xn = 0;
    demander(kNombre, etatjeu.N > etatjeu.n ? kQuestionRetirer : kQuestionAjouter);
    etatjeu.njeux = etatjeu.valeur0;
    etatjeu.xn = 0;
  } while (etatjeu.njeux > etatjeu.jmax);
  etatjeu.A = teststop();
  if (etatjeu.tour == 0) return;
  std::cin.get();  // the line end typed with the answer
  etatjeu.A = annonce();
}

// When the machine opens the game, what is left of the who-starts line is dropped, so
// that its wait, like every other, waits for a fresh Enter.
void tour_de_la_machine(bool premier_coup) {
  rappeler_regle();
  std::cout << kLaMachineVaJouer << kAppuyezEntree;
  if (premier_coup) std::cin.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
  std::cin.get();
  etatjeu.A = choixjeu();
  etatjeu.A = annonce();
}

void jouer_une_partie() {
  if (etatjeu.rejouer == 1) preambule_de_replay();
  demander(kChoix12, kQuestionQuiCommence);
  etatjeu.tour = etatjeu.valeur2;
  bool premier_coup = true;
  while (etatjeu.tour != 0) {
    if (etatjeu.tour == 1) {
      tour_du_joueur();
      premier_coup = false;
    }
    if (etatjeu.tour == 2) {
      tour_de_la_machine(premier_coup);
      premier_coup = false;
    }
  }
}

// --- Replay questions ---

// The same configuration again: 1 replays it, 0 goes on to the second question.
void demander_rejouer_partie() {
  demander(kChoix01, kRejouerPartie);
  etatjeu.recommencer = 1;
  etatjeu.debut = 0;
  etatjeu.rejouer = etatjeu.valeur2;
}

// A new setup (1) or the end of the run (0).
void demander_rejouer_jeu() {
  demander(kChoix01, kRejouerJeu);
  etatjeu.dernier = 0;
  etatjeu.debut = 1;
  etatjeu.recommencer = etatjeu.valeur2;
}

}  // namespace

int jouer() {
  if (etatjeu.debut == 1) preparer_le_jeu();
  while (etatjeu.rejouer > 0) jouer_une_partie();
  demander_rejouer_partie();
  if (etatjeu.valeur2 == 1) return 0;
  demander_rejouer_jeu();
  return 0;
}

int lancer() {
  etatjeu.recommencer = 1;
  etatjeu.debut = 1;
  etatjeu.dernier = 0;
  do {
    etatjeu.A = jouer();
  } while (etatjeu.recommencer == 1);
  return 1;
}
