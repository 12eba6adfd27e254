// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
// The question readers: every question of the game goes through controle, which prints
// the prompt, reads one answer word and asks again, silently, until the answer is acceptable.
#pragma once

/// Modes of controle: one-digit choices among 0/1, 1/2 or 0/1/2, and whole numbers.
inline constexpr int kChoix01 = 1;
inline constexpr int kChoix12 = 2;
inline constexpr int kChoix012 = 3;
inline constexpr int kNombre = 9;

/// Asks `chaine` until an acceptable answer comes: a digit left in valeur2 (modes 1 to 3)
/// or a whole number left in valeur0 (mode 9, 0 refused when xn is 1). Any other mode
/// returns at once. When no answer can come any more, ends the run with status 1.
int controle(int cas, const char* chaine);

/// Writes the question into message and asks it through controle, as every caller does.
void demander(int cas, const char* question);

/// Ends the run with status 1 once the console is gone: standard input at its end (a
/// question that cannot be answered ends the run as declining to play on does), or
/// standard output failing. Writes a line feed first, so the shell prompt starts clean.
/// It stands alone in its own source, the one way out of a run besides the entry.
[[noreturn]] void fin_de_la_console();

/// Classifies one character of a number answer: 1 for a sign or a digit, 0 otherwise;
/// its value (+ is 1, - is -1, a digit itself) goes to valtest1 and valtest2.
int valtest(char caract1);
