// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
// The rules of play: the random source, the machine's move, applying and announcing
// a move, and deciding when a game is over and who won.
#pragma once

#include <cstdint>

/// Printed before each wait for the Enter key.
inline constexpr const char* kAppuyezEntree =
    " \n \n  Appuyez sur la touche 'ENTREE' pour continuer...";

/// Low 16 bits of the wall clock, in nanoseconds since the epoch: the seed of the run.
std::uint16_t graine_horloge();

/// A whole number drawn uniformly from low to high, both included, from the outputs of gen;
/// the same outputs give the same number with every standard library.
int random(int low, int high);

/// Sets njeux to the machine's move: what leaves the distance to the end a multiple of
/// jmax + 1, or a random move from a losing position. Changes nothing without a rule.
int choixjeu();

/// Carries out the move njeux of the player tour: applies it, announces it, waits for
/// Enter, redraws the heap, ends the game if it is over, else passes the turn.
int annonce();

/// Ends the game with its verdict when the heap has reached the finishing count.
int testfin();

/// Stops the game when the user's answer njeux is 0.
int teststop();
