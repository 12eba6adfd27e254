// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
// The one game-state record of the run: configuration, position, replay flags,
// the prompt readers' working fields, the two text buffers and the random source.
#pragma once

#include <cstdint>
#include <random>

/// The random engine of the machine: multiplier 16807, increment 0, modulus 2^31 - 1,
/// spelt out because the platform's default engine may differ. The C++ standard fixes its
/// outputs; the game turns them into moves by a draw of its own (random), not by the
/// library's distribution, so the same clock reading plays the same moves everywhere.
using MoteurHasard = std::linear_congruential_engine<std::uint64_t, 16807, 0, 2147483647>;

/// Size of each text buffer, terminating NUL included.
inline constexpr int kTailleTexte = 200;

struct EtatJeu {
  // Random source.
  std::uint16_t seed;  ///< Low 16 bits of the wall clock at start-up.
  MoteurHasard gen;    ///< Draws the machine's moves from losing positions.

  // Game fields.
  std::int32_t A;            ///< Sink for the results of the game's operations (always 0).
  std::int32_t config0;      ///< 1 classic, 2 custom configuration.
  std::int32_t flag;         ///< Display mode: 0 current position, 1 whole game, 2 help.
  std::int32_t dernier;      ///< 0 not chosen, 1 the last mover wins, 2 the last mover loses.
  std::int32_t jmax;         ///< Largest number of matches one move may take or add.
  std::int32_t m;            ///< Scratch bound of the machine's move and of the help picture.
  std::int32_t tour;         ///< 0 no game, 1 the user moves, 2 the machine moves.
  std::int32_t njeux;        ///< Size of the current move; 0 asks to stop the game.
  std::int32_t i;            ///< Loop counter of the heap pictures.
  std::int32_t N;            ///< Starting number of matches.
  std::int32_t ntas;         ///< Current number of matches in the heap.
  std::int32_t rejouer;      ///< 2 first game after a setup, 1 replay, 0 no game pending.
  std::int32_t recommencer;  ///< 1 while the entry calls jouer again.
  std::int32_t debut;        ///< 1 when the next pass starts with the setup dialogue.
  std::int32_t n;            ///< Finishing number of matches.
  std::int32_t j;            ///< Loop counter of the help picture.

  // Prompt-reader fields.
  std::int32_t valeur0;   ///< Last whole number accepted.
  std::int32_t valtest2;  ///< Value of the character last classified.
  std::int32_t valtest1;  ///< Same value as valtest2; nothing reads it.
  std::int32_t l;         ///< Length of the prompt being printed.
  std::int32_t l1;        ///< Length of the answer word just read.
  std::int32_t a;         ///< Index in the prompt, then in the answer word.
  std::int32_t a1;        ///< Count of accepted characters of a number answer.
  std::int32_t xn;        ///< 1 when the number reader refuses 0.
  std::int32_t refaire;   ///< 1 while the question is to be asked again.
  std::int32_t valeur2;   ///< Last one-digit choice accepted.

  // Text buffers.
  char entree[kTailleTexte];   ///< Last answer word, NUL-terminated.
  char message[kTailleTexte];  ///< Prompt of the question about to be asked.
};

/// The program-wide game state; zero but for the seeded random source when the entry runs.
extern EtatJeu etatjeu;

/// Sets every field back to zero (the engine to its default state); tests start from here.
void remettre_a_zero();

/// Writes a prompt text into `message`, cut to fit and NUL-terminated.
void ecrire_message(const char* texte);
