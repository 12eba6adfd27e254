#!/bin/bash
# SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
# SPDX-License-Identifier: MIT
# Installs the game into a temporary prefix and checks what lands there: the game where
# console games go, runnable, its manual page compressed, its copyright and changelog, its
# place in the desktop's menu (the entry starting the installed game, the icon, the metainfo,
# each validated as desktops read them), and nothing that only the Debian package needs.
# Usage: install.sh BUILD_DIR TRANSCRIPTS_DIR PAGE
set -u
construction=$1 transcripts=$2 page_source=$3
prefixe=$(mktemp -d)
trap 'rm -rf "$prefixe"' EXIT
echecs=0
echec() { echo "FAIL: $*"; echecs=1; }

cmake --install "$construction" --prefix "$prefixe" >/dev/null || echec "cmake --install failed"
jeu=$prefixe/games/allumettes
page=$prefixe/share/man/man6/allumettes.6.gz
[ -x "$jeu" ] || echec "no game at games/allumettes"
zcat "$page" 2>/dev/null | cmp -s - "$page_source" ||
  echec "share/man/man6/allumettes.6.gz is not the manual page, compressed"
for document in copyright changelog.gz; do
  [ -s "$prefixe/share/doc/allumettes/$document" ] || echec "no share/doc/allumettes/$document"
done
# The lintian overrides belong to the Debian package alone.
[ -e "$prefixe/share/lintian" ] && echec "an install without a package has share/lintian"

entree=$prefixe/share/applications/org.example.allumettes.desktop
grep -qx "Exec=$jeu" "$entree" 2>/dev/null || echec "the desktop entry does not start $jeu"
for icone in scalable/apps/allumettes.svg 16x16/apps/allumettes.png 256x256/apps/allumettes.png; do
  [ -s "$prefixe/share/icons/hicolor/$icone" ] || echec "no icon $icone"
done
# Each validator, where it is installed (.ci/run installs both), judged by its status alone:
# what a newer one only remarks on fails nothing here (the package test wants them silent).
validateurs=("desktop-file-validate $entree|desktop-file-utils"
  "appstreamcli validate --no-net $prefixe/share/metainfo/org.example.allumettes.metainfo.xml|appstream")
for v in "${validateurs[@]}"; do
  commande=${v%|*}
  if ! command -v "${commande%% *}" >/dev/null; then
    echo "SKIPPED: ${commande%% *} is missing: install ${v#*|}"
  elif ! rapport=$($commande 2>&1); then
    echec "${commande%% *}:"$'\n'"$rapport"
  fi
done

sortie=$(mktemp)
: | "$jeu" >"$sortie"
statut=$?
[ "$statut" = 1 ] || echec "installed game: status $statut, expected 1"
cmp -s "$sortie" "$transcripts/fin_entree.out" || echec "installed game: unexpected output"
rm -f "$sortie"

[ $echecs = 0 ] && echo "install test passed"
exit $echecs
