// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
// The course of a run: the entry's loop of passes, one pass of jouer with its setup,
// its game and its two replay questions.
#pragma once

/// Runs passes while the user wants to play on; returns the exit status of the run (1).
int lancer();

/// One pass: the setup dialogue when debut is 1, one game, then the replay questions,
/// which leave recommencer, debut, rejouer and dernier set for the next pass.
int jouer();
