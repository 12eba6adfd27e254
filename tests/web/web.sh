#!/bin/bash
# The browser build, made as the README says (emcmake), and played: every transcript
# through the node runner, which feeds the game the page's way, byte for byte; then the
# page itself in headless Chromium. Skipped, saying what to install, where the tools are
# missing. Usage: web.sh SOURCE_DIR BUILD_DIR TRANSCRIPTS_DIR NATIVE_GAME
set -u
sources=$1 construction=$2 transcripts=$3 natif=$4
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
echecs=0
echec() { echo "FAIL: $*"; echecs=1; }

for outil in emcmake em++ node npm chromium; do
  command -v $outil >/dev/null ||
    { echo "SKIPPED: $outil is missing: install emscripten, nodejs, npm and chromium"; exit 77; }
done

emcmake cmake -S "$sources" -B "$construction" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  >"$travail/journal" 2>&1 && cmake --build "$construction" >>"$travail/journal" 2>&1 ||
  { cat "$travail/journal"; echo "FAIL: the browser build could not be made"; exit 1; }
grep -q 'warning:' "$travail/journal" && echec "the browser build warns:"$'\n'"$(grep -A3 'warning:' "$travail/journal")"
page=$construction/allumettes.html
[ -f "$page" ] || { echo "FAIL: no allumettes.html in $construction"; exit 1; }
echo "allumettes.html: $(wc -c <"$page") bytes"

# The node runner, seen by the transcript runner as the game: it takes the clock reading
# that the clock library would give the native game.
jeu=$travail/jeu-web
cat >"$jeu" <<FIN
#!/bin/bash
exec node "$sources/tests/web/jouer.js" "$construction" "\$HORLOGE_FIXE_NS"
FIN
chmod +x "$jeu"
for entree in "$transcripts"/*.in; do
  nom=$(basename "$entree" .in)
  bash "$transcripts/run.sh" "$jeu" "" "$transcripts/$nom" >"$travail/rapport" ||
    echec "transcript $nom through the node runner:"$'\n'"$(cat "$travail/rapport")"
done

timeout 120 node "$sources/tests/web/navigateur.js" "$construction" "$natif" || echecs=1

[ $echecs = 0 ] && echo "browser tests passed"
exit $echecs
