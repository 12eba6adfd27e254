#include "flow/flow.hpp"

#include "prompts/prompts.hpp"
#include "state/state.hpp"

namespace {

constexpr const char* kRejouerPartie =
    " \n \n \t Voulez-vous rejouer cette partie : Oui[1]  /  Non[0]  ?   ";
constexpr const char* kRejouerJeu =
    " \n \n \t Voulez-vous rejouer a ce jeu :  Oui[1] /  Non[0] ?  ";

// Placeholder until the game itself is played: a game that ends at once.
void jouer_une_partie() {
  etatjeu.tour = 0;
  etatjeu.rejouer = 0;
  etatjeu.debut = 0;
}

// The same configuration again: 1 replays it, 0 goes on to the second question.
void demander_rejouer_partie() {
  ecrire_message(kRejouerPartie);
  etatjeu.A = controle(kChoix01, etatjeu.message);
  etatjeu.recommencer = 1;
  etatjeu.debut = 0;
  etatjeu.rejouer = etatjeu.valeur2;
}

// A new setup (1) or the end of the run (0).
void demander_rejouer_jeu() {
  ecrire_message(kRejouerJeu);
  etatjeu.A = controle(kChoix01, etatjeu.message);
  etatjeu.dernier = 0;
  etatjeu.debut = 1;
  etatjeu.recommencer = etatjeu.valeur2;
}

}  // namespace

int jouer() {
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
