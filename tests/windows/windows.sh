#!/bin/bash
# The Windows game, cross-built with MinGW-w64 as the README says and played under wine:
# every transcript that needs no fixed clock, byte for byte once its CR LF line ends are
# read as LF; an input from a regular file skipped and the same input through a pipe
# played; and the zip of the game, its manual as text and its copyright.
# Usage: windows.sh SOURCE_DIR TRANSCRIPTS_DIR
set -u
sources=$1 transcripts=$2
travail=$(mktemp -d)
export WINEPREFIX=$travail/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k 2>/dev/null; wineserver -w 2>/dev/null; rm -rf "$travail"' EXIT
echecs=0
echec() { echo "FAIL: $*"; echecs=1; }

for outil in x86_64-w64-mingw32-g++-posix wine wineserver; do
  command -v $outil >/dev/null ||
    { echo "FAIL: $outil is missing: install g++-mingw-w64-x86-64-posix, wine64 and wine"; exit 1; }
done

construction=$travail/build-windows
cmake -S "$sources" -B "$construction" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  --toolchain "$sources/cmake/mingw-w64.cmake" >"$travail/journal" 2>&1 &&
  cmake --build "$construction" >>"$travail/journal" 2>&1 &&
  cmake --build "$construction" --target package >>"$travail/journal" 2>&1 ||
  { cat "$travail/journal"; echo "FAIL: the Windows build or its zip could not be made"; exit 1; }
grep -q 'warning' "$travail/journal" && echec "the Windows build warns:"$'\n'"$(grep -A3 warning "$travail/journal")"

version=$(sed -n 's/^project(allumettes VERSION \([0-9.]*\).*/\1/p' "$sources/CMakeLists.txt")
zip=$construction/allumettes-$version-win64.zip
attendu="allumettes-$version-win64/allumettes.exe
allumettes-$version-win64/allumettes.txt
allumettes-$version-win64/copyright"
contenu=$(cmake -E tar tf "$zip" 2>&1 | grep -v '/$' | sort)
[ "$contenu" = "$attendu" ] || echec "files in $(basename "$zip"):"$'\n'"$contenu"
(cd "$travail" && cmake -E tar xf "$zip") || echec "the zip does not unpack"
dossier=$travail/allumettes-$version-win64
grep -q '^STRATÉGIE' "$dossier/allumettes.txt" || echec "allumettes.txt is not the manual in UTF-8"
# Only the system's own libraries: the C and C++ runtimes are inside the game.
dll=$(x86_64-w64-mingw32-objdump -p "$dossier/allumettes.exe" | sed -n 's/^\tDLL Name: //p' | sort)
[ "$dll" = $'KERNEL32.dll\nmsvcrt.dll' ] || echec "the game needs other DLLs:"$'\n'"$dll"

# The game from the zip, seen by the transcript runner as one command: Windows writes
# CR LF, read here as LF; a line feed without its CR is marked, so that it shows.
jeu=$travail/jeu-windows
cat >"$jeu" <<FIN
#!/bin/bash
wine "$dossier/allumettes.exe" "\$@" 2>/dev/null | perl -pe 's/\r\n\z/\n/ or s/\n\z/[LF without CR]\n/'
exit \${PIPESTATUS[0]}
FIN
chmod +x "$jeu"
wineserver -p  # one wine server for every run below, instead of one started for each
: | "$jeu" >/dev/null  # makes the wine prefix, which takes a few seconds

for entree in "$transcripts"/*.in; do
  nom=$(basename "$entree" .in)
  # The clock library is preloaded into Linux programs: it cannot fix the clock of a
  # Windows program, so the transcripts that need a fixed clock are not played here.
  if grep -q '^horloge=' "$transcripts/$nom.cas"; then
    echo "skipped $nom: it needs a fixed clock"
    continue
  fi
  bash "$transcripts/run.sh" "$jeu" "" "$transcripts/$nom" >"$travail/rapport" ||
    echec "transcript $nom under wine:"$'\n'"$(cat "$travail/rapport")"
done

# A regular file is skipped at the first question; the same bytes through a pipe are played.
sortie=$travail/sortie
timeout 20 "$jeu" <"$transcripts/interruption.in" >"$sortie"
statut=$?
[ "$statut" = 1 ] || echec "input from a regular file: status $statut, expected 1"
cmp -s "$sortie" "$transcripts/fin_entree.out" ||
  echec "input from a regular file: the output should stop at the first question"
cat "$transcripts/interruption.in" | timeout 20 "$jeu" >"$sortie"
cmp -s "$sortie" "$transcripts/interruption.out" ||
  echec "input through a pipe: the output should be the transcript interruption"

[ $echecs = 0 ] && echo "Windows tests passed"
exit $echecs
