// What the game needs of the system it runs on: the wall clock to the nanosecond, whether
// standard input is a regular file, and a console that acts on the screen-clearing sequence.
// platform.cpp serves POSIX systems and Windows, web.cpp the browser.
#pragma once

#include <cstdint>

/// The wall clock: nanoseconds since the Unix epoch, as finely as the system counts them.
std::int64_t horloge_en_nanosecondes();

/// True when standard input is a regular file: not a pipe, a terminal or a console.
bool entree_est_un_fichier();

/// Where standard output is a Windows console, asks it to act on the ANSI escape sequences
/// that clear the screen; a redirected output, and every other system, are left alone. In
/// the browser, connects std::cin and std::cout to the page.
void preparer_la_console();
