// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
// What the game needs of the system it runs on: the wall clock to the nanosecond, whether
// standard input is a regular file, a console cleared by its own means where it has them,
// and, in the browser, the page as the console.
// platform.cpp serves POSIX systems and Windows, web.cpp the browser.
#pragma once

#include <cstdint>

/// The wall clock: nanoseconds since the Unix epoch, as finely as the system counts them.
std::int64_t horloge_en_nanosecondes();

/// True when standard input is a regular file: not a pipe, a terminal or a console.
bool entree_est_un_fichier();

/// Makes the console ready before the first output: in the browser, connects std::cin and
/// std::cout to the page; elsewhere there is nothing to do.
void preparer_la_console();

/// Where standard output is a Windows console, clears it through the console's own
/// functions and returns true; elsewhere, and for a redirected output, returns false, and
/// the screen is cleared by the escape sequence written to the output.
bool effacer_la_console();
