// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
#include "platform/platform.hpp"

#ifdef _WIN32
#include <windows.h>

#include <chrono>
#include <iostream>

// Counted in steps of 100 nanoseconds by the system, in nanoseconds by the library.
std::int64_t horloge_en_nanosecondes() {
  const auto depuis_epoque = std::chrono::system_clock::now().time_since_epoch();
  return std::chrono::duration_cast<std::chrono::nanoseconds>(depuis_epoque).count();
}

// A file on disk; pipes and consoles have other types, and are never sought.
bool entree_est_un_fichier() {
  return GetFileType(GetStdHandle(STD_INPUT_HANDLE)) == FILE_TYPE_DISK;
}

// Nothing to ask of the console: it is cleared through its own functions below, since the
// consoles before Windows 10, the legacy console and wine's print the escape sequence as text.
void preparer_la_console() {}

// The whole screen buffer filled with blanks, the cursor home; what was written before is
// flushed first, so that it is cleared too.
bool effacer_la_console() {
  const HANDLE sortie = GetStdHandle(STD_OUTPUT_HANDLE);
  CONSOLE_SCREEN_BUFFER_INFO ecran{};
  if (!GetConsoleScreenBufferInfo(sortie, &ecran)) return false;  // not a console: redirected
  std::cout.flush();
  const DWORD cellules = static_cast<DWORD>(ecran.dwSize.X) * static_cast<DWORD>(ecran.dwSize.Y);
  const COORD origine{0, 0};
  DWORD ecrites = 0;
  FillConsoleOutputCharacterA(sortie, ' ', cellules, origine, &ecrites);
  FillConsoleOutputAttribute(sortie, ecran.wAttributes, cellules, origine, &ecrites);
  SetConsoleCursorPosition(sortie, origine);
  return true;
}

#else
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

// Asked of the system itself: some libraries keep their system_clock to the microsecond.
std::int64_t horloge_en_nanosecondes() {
  timespec maintenant{};
  clock_gettime(CLOCK_REALTIME, &maintenant);
  return std::int64_t{maintenant.tv_sec} * 1000000000 + maintenant.tv_nsec;
}

bool entree_est_un_fichier() {
  struct stat etat {};
  return fstat(STDIN_FILENO, &etat) == 0 && S_ISREG(etat.st_mode);
}

// Terminals act on the sequences by themselves.
void preparer_la_console() {}

bool effacer_la_console() {
  return false;
}

#endif
