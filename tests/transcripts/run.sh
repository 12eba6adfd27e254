#!/bin/bash
# Plays one transcript: NAME.in goes to the game through a pipe, and the game's whole
# output and exit status must equal NAME.out and the "statut" line of NAME.cas.
# NAME.cas may also give "horloge" (nanoseconds read from the wall clock) and "arguments"
# (the command line). A transcript without "horloge" must not depend on the clock: it is
# played twice, at two clock readings that give the machine other random moves.
# Usage: run.sh GAME CLOCK_LIBRARY PATH/NAME
set -u
jeu=$1 horloge_lib=$2 cas=$3
limite=$((4 * 1024 * 1024))   # a game that floods its output fails instead of filling memory

valeur() { sed -n "s/^$1=//p" "$cas.cas" | head -n 1; }
statut_attendu=$(valeur statut)
horloge=$(valeur horloge)
arguments=$(valeur arguments)
sortie=$(mktemp)
trap 'rm -f "$sortie"' EXIT

echec=0
jouer() {
  # shellcheck disable=SC2086  # the arguments are split on purpose
  cat "$cas.in" | HORLOGE_FIXE_NS=$1 LD_PRELOAD=$horloge_lib \
    ASAN_OPTIONS=${ASAN_OPTIONS:-verify_asan_link_order=0} \
    timeout 20 "$jeu" $arguments | head -c $((limite + 1)) >"$sortie"
  statut=${PIPESTATUS[1]}
  if [ "$statut" != "$statut_attendu" ]; then
    echo "clock $1: exit status $statut, expected $statut_attendu"
    echec=1
  fi
  if ! cmp -s "$sortie" "$cas.out"; then
    echo "clock $1: output differs from $cas.out (first difference and both sides, escapes shown):"
    cmp "$sortie" "$cas.out" | head -n 1
    diff <(cat -A "$cas.out") <(cat -A "$sortie") | head -n 40
    echec=1
  fi
}
for lecture in ${horloge:-12345 40503}; do jouer "$lecture"; done
exit $echec
