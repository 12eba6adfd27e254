# SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
# SPDX-License-Identifier: MIT
# Sourced by the tests that need tools beyond the compiler: a test whose tool is missing is
# skipped (status 77, which CTest reports as skipped) with one line that names the Debian
# package to install. Usage: exiger TOOL PACKAGE [TOOL PACKAGE ...]
exiger() {
  while [ $# -ge 2 ]; do
    command -v "$1" >/dev/null || { echo "SKIPPED: $1 is missing: install $2"; exit 77; }
    shift 2
  done
}

# The upstream tree, the files packaging/orig.sh puts in the tarball (debian/ left out),
# copied into DEST with their dates, so that a build folder kept from one run to the next
# rebuilds only what changed. Usage: sources_amont SOURCE_DIR DEST
sources_amont() {
  rm -rf "$2" && mkdir -p "$2" &&
    bash "$1/packaging/orig.sh" --liste | (cd "$1" && xargs -0 cp -p --parents -t "$2")
}
