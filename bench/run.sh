#!/bin/bash
# SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
# SPDX-License-Identifier: MIT
# Prints the benchmark figures of the game: start-up against a minimal program printing
# the same bytes, a heap of 10,000,000 matches against cat of the same bytes, peak memory
# of a short and a long scripted session, the in-process drawing cost, and, where emscripten
# and chromium are installed, the browser page's size and its opening time against a floor.
# Usage: bench/run.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
essais=${1:-200}
construction=build-bench
cmake -S . -B "$construction" -G Ninja -DCMAKE_BUILD_TYPE=Release -DALLUMETTES_BENCH=ON \
  -DBUILD_TESTING=OFF >/dev/null
cmake --build "$construction" >/dev/null
jeu=$construction/allumettes
comparer=$construction/bench/comparer
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"

echo "1. start-up to the first question, input ending there (A game, B minimal program):"
"$comparer" "$essais" - "$jeu" - "$construction/bench/titre_minimal"

echo "2. a custom heap of 10,000,000 matches drawn at setup, output to /dev/null (A game, B cat):"
printf '1\n2\n10000000\n1\n3\n' >"$travail/grand.in"
cat "$travail/grand.in" | "$jeu" >"$travail/grand.out" || true
echo "  output: $(stat -c %s "$travail/grand.out") bytes"
"$comparer" $((essais / 10 + 1)) "$travail/grand.in" "$jeu" - "/usr/bin/cat $travail/grand.out"

echo "3. peak memory of whole scripted sessions (A 300 games, B 1 game):"
partie='1\n1\n\n\n\n1\n\n\n\n1\n\n\n\n1\n\n\n\n'
{ printf '0\n1\n1\n'; for _ in $(seq 299); do printf "$partie"'1\n'; done; printf "$partie"'0\n0\n'; } \
  >"$travail/longue.in"
{ printf '0\n1\n1\n'; printf "$partie"'0\n0\n'; } >"$travail/courte.in"
"$comparer" 5 "$travail/longue.in" "$jeu" "$travail/courte.in" "$jeu"

echo "4. drawing in process, output thrown away:"
"$construction/bench/dessin_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  2>/dev/null | grep -E "median"

if command -v emcmake >/dev/null && command -v chromium >/dev/null; then
  echo "5. the browser page:"
  emcmake cmake -S . -B build-bench-web -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null 2>&1
  cmake --build build-bench-web >/dev/null
  mkdir -p build-bench-web/npm-tests && cp web/package.json web/package-lock.json build-bench-web/npm-tests/
  npm ci --prefix build-bench-web/npm-tests --no-audit --no-fund --loglevel=error >/dev/null
  node bench/page.js build-bench-web "$jeu" $((essais / 5 + 1))
fi
