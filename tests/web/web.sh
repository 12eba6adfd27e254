#!/bin/bash
# SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
# SPDX-License-Identifier: MIT
# The browser build, made as the README says (emcmake) from the upstream tree alone, and
# played: the page's line discipline against a Linux terminal and its bridge, under node;
# every transcript and a very large heap through the node runner, which feeds the game the page's way, byte for byte, by
# the page's game and by the same game built with assertions; then the page itself in
# Chromium, Firefox and WebKit, and heard through Orca in Chromium and Firefox, each skipped,
# saying what to install, where it is missing.
# The whole test is skipped likewise where the build's tools are missing.
# Usage: web.sh SOURCE_DIR BUILD_DIR TRANSCRIPTS_DIR NATIVE_GAME
set -u
sources=$1 construction=$2 transcripts=$3 natif=$4
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
echecs=0
echec() { echo "FAIL: $*"; echecs=1; }

# shellcheck source=../support/outils.sh
source "$(dirname "$0")/../support/outils.sh"
exiger emcmake emscripten em++ emscripten node nodejs npm npm python3 python3 nginx nginx-light

# Built from the upstream tree alone, as its tarball holds it (without debian/).
amont=${construction%/}-sources
sources_amont "$sources" "$amont" || { echo "FAIL: cannot copy the upstream tree (a git checkout?)"; exit 1; }
emcmake cmake -S "$amont" -B "$construction" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  >"$travail/journal" 2>&1 && cmake --build "$construction" >>"$travail/journal" 2>&1 ||
  { cat "$travail/journal"; echo "FAIL: the browser build could not be made"; exit 1; }
grep -q 'warning:' "$travail/journal" && echec "the browser build warns:"$'\n'"$(grep -A3 'warning:' "$travail/journal")"
page=$construction/allumettes.html
[ -f "$page" ] || { echo "FAIL: no allumettes.html in $construction"; exit 1; }
echo "allumettes.html: $(wc -c <"$page") bytes"
# The notices of all that the page holds: the game, the terminal, emscripten's runtime and the
# C and C++ libraries compiled into its WebAssembly.
for avis in 'Les auteurs d.allumettes' 'The xterm.js authors' 'system/lib/libc/musl/' \
  'system/lib/libcxx/' 'portions of this Software are embedded'; do
  grep -q "$avis" "$page" || echec "the page does not carry the notice: $avis"
done

# The test's own npm packages (the browser drivers, the accessibility audit), apart from the
# page's, installed again only when the lock file changes.
tests_npm=$construction/npm-tests
if ! cmp -s "$sources/web/package-lock.json" "$tests_npm/package-lock.json"; then
  mkdir -p "$tests_npm" && cp "$sources/web/package.json" "$sources/web/package-lock.json" "$tests_npm/" &&
    npm ci --prefix "$tests_npm" --no-audit --no-fund --loglevel=error >"$travail/journal" 2>&1 ||
    { cat "$travail/journal"; rm -f "$tests_npm/package-lock.json"; echo "FAIL: npm ci of the test's packages"; exit 1; }
fi

NATIF=$natif node --test "$sources/tests/web/unites.js" >"$travail/rapport" 2>&1 ||
  echec "the page's parts under node:"$'\n'"$(cat "$travail/rapport")"

# The game checked: the same build with emscripten's assertions, which stop the game where it
# waits for the page inside a function that asyncify left alone (web/construction/asyncify.txt), and an
# output buffer of one byte, so that every write the game makes is a place where it waits.
verifiee=$construction/assertions
emcmake cmake -S "$amont" -B "$verifiee" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS=-DALLUMETTES_TAMPON_DE_SORTIE=1 \
  -DCMAKE_EXE_LINKER_FLAGS=-sASSERTIONS=1 >"$travail/journal" 2>&1 &&
  cmake --build "$verifiee" --target allumettes >>"$travail/journal" 2>&1 ||
  { cat "$travail/journal"; echo "FAIL: the browser build with assertions could not be made"; exit 1; }

# The node runner, seen by the transcript runner as the game: it takes the clock reading
# that the clock library would give the native game. Every transcript is played by the page's
# game, and by the checked one waiting for its output after every send, so that each place
# where the transcripts make the game read or write is one where it waits; and so are three
# heaps of 100,000 matches, whose drawings fill the page's game's 64 KiB output buffer many
# times over, compared with the native game's output.
# Heaps of 100,000 matches drawn plainly, and with the help when removing and when adding.
grands=('1\n2\n100000\n1\n3\n1\n1\n0\n0\n0\n' '2\n2\n100000\n1\n3\n1\n1\n0\n0\n0\n'
  '2\n2\n0\n100000\n3\n1\n1\n0\n0\n0\n')
for i in "${!grands[@]}"; do
  # shellcheck disable=SC2059  # the answers are a printf format on purpose
  printf "${grands[$i]}" >"$travail/grand-$i.in"
  cat "$travail/grand-$i.in" | "$natif" >"$travail/grand-$i.natif"
done
# node without its background threads: a compilation still running there when the game
# exits can deadlock node's own exit (seen once in a few dozen runs, the runner then waiting
# until its time-out).
for variante in "$construction|" "$verifiee|chaque-envoi"; do
  cat >"$travail/jeu-web" <<FIN
#!/bin/bash
exec node --single-threaded "$sources/tests/web/jouer.js" "${variante%|*}" "\$HORLOGE_FIXE_NS" ${variante#*|}
FIN
  chmod +x "$travail/jeu-web"
  for entree in "$transcripts"/*.in; do
    nom=$(basename "$entree" .in)
    bash "$transcripts/run.sh" "$travail/jeu-web" "" "$transcripts/$nom" >"$travail/rapport" ||
      echec "transcript $nom through the node runner ($(basename "${variante%|*}")):"$'\n'"$(cat "$travail/rapport")"
  done
  for i in "${!grands[@]}"; do
    cat "$travail/grand-$i.in" | "$travail/jeu-web" | cmp "$travail/grand-$i.natif" - >"$travail/rapport" 2>&1 ||
      echec "a heap of 100,000 matches ($i) through the node runner ($(basename "${variante%|*}")): $(cat "$travail/rapport")"
  done
done

timeout 480 node "$sources/tests/web/navigateur.js" "$construction" "$natif"
navigateurs=$?
[ $navigateurs = 124 ] && echo "FAIL: the browser test did not end within its 480 s"

# A real screen reader, Orca, heard in Chromium and Firefox (Debian's python3, for pyatspi's
# fellow packages; it says which package is missing).
timeout 300 /usr/bin/python3 "$sources/tests/web/lecteur.py" "$construction/allumettes.html" "$natif" chromium firefox
lecteur=$?
[ $lecteur = 124 ] && echo "FAIL: the screen reader test did not end within its 300 s"
[ $lecteur = 0 ] || [ $lecteur = 77 ] || echecs=1
[ $navigateurs = 0 ] || [ $navigateurs = 77 ] || echecs=1

[ $echecs = 1 ] && exit 1
# A browser that is missing makes the whole test skipped, once everything else has passed.
[ $navigateurs = 77 ] || [ $lecteur = 77 ] && { echo "SKIPPED: a browser or the screen reader is missing (see above)"; exit 77; }
echo "browser tests passed"
