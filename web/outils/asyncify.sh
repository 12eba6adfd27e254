#!/bin/bash
# SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
# SPDX-License-Identifier: MIT
# Remakes web/construction/asyncify.txt, the functions that asyncify instruments in the browser build:
# those on the stack wherever the game waits for the page. A build that instruments every
# function, keeps their names and writes through a one-byte output buffer plays every
# transcript and a heap of 100,000 matches, each write waiting, and web/outils/asyncify.js notes the
# names at every wait. Run it after any change to the game's code that the web test's
# checked build finds waiting outside the list.
# Usage: bash web/outils/asyncify.sh [BUILD_DIR]   (default: build-asyncify)
set -euo pipefail
sources=$(cd "$(dirname "$0")/../.." && pwd)
construction=${1:-$sources/build-asyncify}
emcmake cmake -S "$sources" -B "$construction" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DBUILD_TESTING=OFF -DALLUMETTES_ASYNCIFY_TOUT=ON -DCMAKE_CXX_FLAGS=-DALLUMETTES_TAMPON_DE_SORTIE=1 >/dev/null
cmake --build "$construction" --target allumettes >/dev/null
node "$sources/web/outils/asyncify.js" "$construction" "$sources/tests/transcripts" >"$construction/asyncify.txt"
mv "$construction/asyncify.txt" "$sources/web/construction/asyncify.txt"
echo "web/construction/asyncify.txt: $(wc -l <"$sources/web/construction/asyncify.txt") functions"
