#!/bin/bash
# SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
# SPDX-License-Identifier: MIT
# Faults of the environment: an output that breaks or cannot be written ends the game at
# once, even while nobody types, and an input that is a regular file (skipped by the seek
# to its end) ends it at the first question with status 1.
# Usage: environment.sh GAME TRANSCRIPTS_DIR
set -u
jeu=$1 transcripts=$2
echecs=0
echec() { echo "FAIL: $*"; echecs=1; }

# Endless answers, so that only the broken output can end the game.
statuts=$(yes 1 2>/dev/null | timeout 10 "$jeu" | head -c 100 | wc -c; echo "${PIPESTATUS[*]}")
set -- $statuts
[ "$1" = 100 ] || echec "broken pipe: $1 bytes read, expected 100"
[ "$3" = 141 ] || [ "$3" = 1 ] || echec "broken pipe: status $3, expected SIGPIPE (141) or 1"

statuts=$( (trap '' PIPE; yes 1 2>/dev/null | timeout 10 "$jeu" | head -c 100 >/dev/null; echo "${PIPESTATUS[*]}"))
set -- $statuts
[ "$2" = 1 ] || echec "broken pipe with SIGPIPE ignored: status $2, expected 1"

yes 1 2>/dev/null | timeout 10 "$jeu" >&-
statut=${PIPESTATUS[1]}
[ "$statut" = 1 ] || echec "standard output closed: status $statut, expected 1"

yes 1 2>/dev/null | timeout 10 "$jeu" >/dev/full
statut=${PIPESTATUS[1]}
[ "$statut" = 1 ] || echec "standard output full: status $statut, expected 1"

fichier=$(mktemp)
sortie=$(mktemp)
dossier=$(mktemp -d)
trap 'rm -rf "$fichier" "$sortie" "$dossier"' EXIT

# An input that stays open and silent, as a player who types nothing: the game must see at
# its first question that nobody can read it, and end by itself instead of waiting.
silence=$dossier/silence
mkfifo "$silence"
exec 3<>"$silence"   # held open for writing by this script, never written
timeout 5 "$jeu" <"$silence" >&-
statut=$?
[ "$statut" = 1 ] || echec "silent input, standard output closed: status $statut, expected 1 at once"
timeout 5 "$jeu" <"$silence" >/dev/full
statut=$?
[ "$statut" = 1 ] || echec "silent input, standard output full: status $statut, expected 1 at once"
exec 3>&-
printf '1\n1\n1\n1\n0\n0\n0\n' >"$fichier"
timeout 10 "$jeu" <"$fichier" >"$sortie"
statut=$?
[ "$statut" = 1 ] || echec "input from a regular file: status $statut, expected 1"
cmp -s "$sortie" "$transcripts/fin_entree.out" ||
  echec "input from a regular file: the output should stop at the first question"

[ $echecs = 0 ] && echo "environment tests passed"
exit $echecs
