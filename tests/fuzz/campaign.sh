#!/bin/bash
# SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
# SPDX-License-Identifier: MIT
# Builds the fuzz target, replays the kept regression inputs, then fuzzes for the given
# number of seconds (60 by default) from the seed corpus. Any crash, sanitizer report or
# input that runs over 10 seconds fails. Usage: campaign.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/../.."
duree=${1:-60}

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DALLUMETTES_FUZZ=ON >/dev/null
cmake --build build-fuzz
cible=build-fuzz/tests/fuzz/fuzz_jeu

regressions=(tests/fuzz/regressions/*)
if [ -e "${regressions[0]}" ]; then
  "$cible" -timeout=10 -rss_limit_mb=2048 "${regressions[@]}"
fi

# libFuzzer adds what it finds to its first folder: work on a copy of the corpus.
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
cp tests/fuzz/corpus/* "$travail"/
"$cible" "$travail" -max_total_time="$duree" -timeout=10 -rss_limit_mb=2048 -max_len=4096 \
  -print_final_stats=1 -artifact_prefix=build-fuzz/ 2>&1 | tail -n 20
echo "fuzzing: no finding in $duree seconds"
