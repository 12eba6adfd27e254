// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
#include <cstdlib>
#include <iostream>

#include "prompts/prompts.hpp"

// Alone in its file so that the fuzz target, which must go on after an input ends, links its
// own version in place of this one: the linker takes an object from the library only for a
// symbol that nothing else defines.
void fin_de_la_console() {
  std::cout << '\n';
  std::exit(1);
}
