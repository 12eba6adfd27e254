#!/bin/bash
# SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
# SPDX-License-Identifier: MIT
# The Windows game, cross-built with MinGW-w64 as the README says, from the upstream tree
# alone, and played under wine:
# every transcript that needs no fixed clock, byte for byte once its CR LF line ends are
# read as LF; an input from a regular file skipped and the same input through a pipe
# played; display mode 0 in wine's console in a tmux pane, cleared at each redraw; and the
# zip of the game, its manual as Windows text and its copyright.
# Usage: windows.sh SOURCE_DIR TRANSCRIPTS_DIR
set -u
sources=$1 transcripts=$2
travail=$(mktemp -d)
# Everything wine makes stays in this run's folder: its prefix, and the folder of its
# server's socket, which wine makes in TMPDIR. A server that outlived an earlier run (its
# prefix deleted) cannot then be reached by this one.
mkdir "$travail/tmp"
export TMPDIR=$travail/tmp WINEPREFIX=$travail/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
socket=allumettes-windows-$$
trap 'tmux -L "$socket" kill-server 2>/dev/null; wineserver -k 2>/dev/null; wineserver -w 2>/dev/null; rm -rf "$travail"' EXIT
echecs=0
echec() { echo "FAIL: $*"; echecs=1; }

# shellcheck source=../support/outils.sh
source "$(dirname "$0")/../support/outils.sh"
exiger x86_64-w64-mingw32-g++-posix g++-mingw-w64-x86-64-posix wine "wine64 and wine" \
  wineserver "wine64 and wine" tmux tmux groff groff-base

# Built from the upstream tree alone, as its tarball holds it (without debian/).
construction=$travail/build-windows
sources_amont "$sources" "$travail/sources" || { echo "FAIL: cannot copy the upstream tree (a git checkout?)"; exit 1; }
cmake -S "$travail/sources" -B "$construction" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  --toolchain "$sources/cmake/mingw-w64.cmake" >"$travail/journal" 2>&1 &&
  cmake --build "$construction" >>"$travail/journal" 2>&1 &&
  cmake --build "$construction" --target package >>"$travail/journal" 2>&1 ||
  { cat "$travail/journal"; echo "FAIL: the Windows build or its zip could not be made"; exit 1; }
grep -q 'warning' "$travail/journal" && echec "the Windows build warns:"$'\n'"$(grep -A3 warning "$travail/journal")"

version=$(sed -n 's/^## \([0-9.]*\) (.*/\1/p' "$sources/CHANGELOG.md" | head -n 1)
zip=$construction/allumettes-$version-win64.zip
attendu="allumettes-$version-win64/allumettes.exe
allumettes-$version-win64/allumettes.txt
allumettes-$version-win64/copyright.txt"
contenu=$(cmake -E tar tf "$zip" 2>&1 | grep -v '/$' | sort)
[ "$contenu" = "$attendu" ] || echec "files in $(basename "$zip"):"$'\n'"$contenu"
(cd "$travail" && cmake -E tar xf "$zip") || echec "the zip does not unpack"
dossier=$travail/allumettes-$version-win64
# The texts as Windows reads them: a byte order mark, CR LF on every line; the manual is
# the Windows player's, the copyright the game's licence and the notices of the runtimes
# linked into it.
manuel=$dossier/allumettes.txt
for texte in "$manuel" "$dossier/copyright.txt"; do
  [ "$(head -c 3 "$texte" | od -An -tx1 | tr -d ' ')" = efbbbf ] || echec "$(basename "$texte") has no byte order mark"
  grep -qv $'\r$' "$texte" && echec "$(basename "$texte") has a line without CR LF"
done
for avis in 'Permission is hereby granted' 'paquet Debian mingw-w64-x86-64-dev' 'GCC RUNTIME LIBRARY EXCEPTION'; do
  grep -qF "$avis" "$dossier/copyright.txt" || echec "copyright.txt does not hold $avis"
done
grep -q $'^STRAT\xc3\x89GIE\r$' "$manuel" || echec "allumettes.txt is not the manual in UTF-8"
for attendu_du_manuel in 'Ctrl-Z' '.\allumettes.exe' 'Get-Content'; do
  grep -qF -- "$attendu_du_manuel" "$manuel" || echec "allumettes.txt does not say $attendu_du_manuel"
done
for absent_du_manuel in 'Ctrl-D' '130' 'allumettes < '; do
  grep -qF -- "$absent_du_manuel" "$manuel" && echec "allumettes.txt speaks of $absent_du_manuel"
done
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
# The wine prefix first (a few seconds), and its server gone with it; then one persistent
# server for every run below. A server started before its prefix exists cannot enter it,
# and a game started meanwhile may get no answer from it, and print nothing.
: | "$jeu" >/dev/null
wineserver -w
wineserver -p

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

# Display mode 0 in a console: wine's, in a tmux pane. Each redraw clears the pane through
# the console's own functions, and no escape sequence shows as text.
(
  # shellcheck source=../support/tmux.sh
  source "$sources/tests/support/tmux.sh"
  delai=300
  tm new-session -d -s jeu -x 160 -y 50 "wine '$dossier/allumettes.exe'; sleep 60" ||
    echec "cannot start tmux"
  attendre "Voulez vous afficher"
  # Wine's console takes the keys once it has put the terminal in raw mode, which it may do
  # just after the first question shows: a key typed before is echoed by the terminal, and
  # its Enter reaches wine as a line feed, which is not Enter.
  pane=$(tm display -p -t jeu '#{pane_tty}')
  for _ in $(seq 100); do
    stty -F "$pane" -a | grep -q -- '-icanon' && break
    sleep 0.1
  done
  ouvrir_une_partie_classique 0
  tm send-keys -t jeu Enter
  attendre "13  allumettes"
  attendre "La machine va jouer."
  absent "Qui joue en premier"
  absent "POUR MODIFIER"
  absent "[H"
  absent "[2J"
  tm send-keys -t jeu Enter
  attendre "La machine va enlever 1"
  tm send-keys -t jeu Enter
  attendre "12  allumettes"
  absent "13  allumettes"
  absent "[2J"
) || echecs=1

[ $echecs = 0 ] && echo "Windows tests passed"
exit $echecs
