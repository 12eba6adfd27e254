#!/bin/bash
# SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
# SPDX-License-Identifier: MIT
# The manual page: UTF-8, rendered by man without a warning (and by groff for Windows, and
# by mandoc for the browser page, each speaking of its own system), and every example screen
# it shows is what the game prints, line for line, for the answers in the comment above it
# (".\" exemple : ANSWERS", a printf format).
# Usage: manual.sh GAME PAGE
set -u
jeu=$1 page=$2
# shellcheck source=../support/outils.sh
source "$(dirname "$0")/../support/outils.sh"
exiger man man-db groff groff-base iconv libc-bin mandoc mandoc node nodejs
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
echecs=0
echec() { echo "FAIL: $*"; echecs=1; }

iconv -f UTF-8 -t UTF-8 "$page" >/dev/null 2>&1 || echec "the page is not valid UTF-8"
avertissements=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
[ -z "$avertissements" ] || echec "man warnings: $avertissements"
# The Windows player's page, the same source with its switch on.
avertissements=$(groff -k -mandoc -Tutf8 -rwindows=1 -ww -z "$page" 2>&1)
[ -z "$avertissements" ] || echec "groff warnings in the Windows page: $avertissements"
LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$page" 2>/dev/null | grep -q '^STRATÉGIE' ||
  echec "the rendered page lost its accents"

# The browser page's manual, rendered as its build renders it: its keys, none of a console's.
manuel=$travail/manuel.html
node "$(dirname "$page")/web/construction/manuel.js" "$page" "$manuel" 2>"$travail/erreurs" ||
  echec "the browser page's manual cannot be rendered: $(cat "$travail/erreurs")"
for attendu in 'allumettes.html' 'Recommencer' 'Ctrl-D' 'Ctrl-C' 'Lecteur' '12&#x00A0;pixels'; do
  grep -qF -- "$attendu" "$manuel" || echec "the browser page's manual does not say $attendu"
done
for absent in 'code de retour' 'allumettes.exe' 'ligne de commande' 'fichier ordinaire' '80&#x00A0;colonnes'; do
  grep -qF -- "$absent" "$manuel" && echec "the browser page's manual speaks of $absent"
done

# The game's output for the answers, its tabs expanded as a terminal shows them, and
# without the spaces that end its lines (invisible, and left out of the page).
sortie_du_jeu() {
  # shellcheck disable=SC2059  # the answers are a printf format on purpose
  printf "$1" | timeout 10 "$jeu" 2>/dev/null | head -c 1000000 | expand | sed 's/ *$//'
}

# The example screens as the page's build reads them (web/construction/manuel.js): answers, then lines.
exemples=0
while IFS= read -r -d '' reponses && IFS= read -r -d '' bloc; do
  exemples=$((exemples + 1))
  if [ -z "$reponses" ]; then
    echec "example $exemples has no answers to check it with:"$'\n'"$bloc"
  elif [[ $'\n'$(sortie_du_jeu "$reponses")$'\n' != *$'\n'"$bloc"$'\n'* ]]; then
    echec "example $exemples is not what the game prints for \"$reponses\":"$'\n'"$bloc"
  fi
done < <(node -e 'const { exemples } = require(process.argv[1]);
  for (const { reponses, texte } of exemples(require("fs").readFileSync(process.argv[2], "utf8")))
    process.stdout.write(`${reponses || ""}\0${texte}\0`);' "$(dirname "$page")/web/construction/manuel.js" "$page")
[ $exemples -ge 8 ] || echec "only $exemples example screens found in the page"

[ $echecs = 0 ] && echo "manual page test passed ($exemples examples)"
exit $echecs
