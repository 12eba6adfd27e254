#!/bin/bash
# Installs the game into a temporary prefix and checks what lands there: the game where
# console games go, runnable, and its manual page, which renders without a warning.
# Usage: install.sh BUILD_DIR TRANSCRIPTS_DIR
set -u
construction=$1 transcripts=$2
prefixe=$(mktemp -d)
trap 'rm -rf "$prefixe"' EXIT
echecs=0
echec() { echo "FAIL: $*"; echecs=1; }

cmake --install "$construction" --prefix "$prefixe" >/dev/null || echec "cmake --install failed"
jeu=$prefixe/games/allumettes
page=$prefixe/share/man/man6/allumettes.6
[ -x "$jeu" ] || echec "no game at games/allumettes"
[ -f "$page" ] || echec "no manual page at share/man/man6/allumettes.6"

sortie=$(mktemp)
: | "$jeu" >"$sortie"
statut=$?
[ "$statut" = 1 ] || echec "installed game: status $statut, expected 1"
cmp -s "$sortie" "$transcripts/fin_entree.out" || echec "installed game: unexpected output"
rm -f "$sortie"

avertissements=$(groff -man -ww -z "$page" 2>&1)
[ -z "$avertissements" ] || echec "manual page warnings: $avertissements"
if command -v man >/dev/null; then
  avertissements=$(man --warnings -l "$page" 2>&1 >/dev/null)
  [ -z "$avertissements" ] || echec "man warnings: $avertissements"
fi

[ $echecs = 0 ] && echo "install test passed"
exit $echecs
