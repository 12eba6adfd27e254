// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
// The heap pictures: every byte the game draws for a position, plain or with the
// strategy arithmetic of the help mode, and the screen clearing.
#pragma once

/// Draws the position: the help display when flag is 2 and a rule is chosen (dernier
/// not 0), the plain rows of twenty matches otherwise. Ends without a line feed.
int affichage();

/// Clears the terminal: cursor home, then erase the whole display (a Windows console
/// is cleared by its own functions instead).
void Clear();

/// One row of the help picture of a game played by adding: a cell for each position
/// 1 to ntas1, the first N1 set apart, then groups of jmax1 + 1 that end at n1.
int print(int ntas1, int N1, int n1, int jmax1);
