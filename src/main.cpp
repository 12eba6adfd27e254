// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
// Starts a run of the game; the command line is ignored.
#include "flow/flow.hpp"
#include "platform/platform.hpp"

int main() {
  preparer_la_console();
  return lancer();
}
