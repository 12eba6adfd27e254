#!/bin/bash
# Makes the Debian package as a user would (a Release build of its own, then the target
# package), checks its fields and contents, runs lintian on it, and plays a transcript
# with the game unpacked from it. Nothing is installed on the machine.
# Usage: package.sh SOURCE_DIR CLOCK_LIBRARY TRANSCRIPTS_DIR
set -u
sources=$1 horloge_lib=$2 transcripts=$3
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
echecs=0
echec() { echo "FAIL: $*"; echecs=1; }

construction=$travail/build
cmake -S "$sources" -B "$construction" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  >"$travail/journal" 2>&1 &&
  cmake --build "$construction" --target package >>"$travail/journal" 2>&1 ||
  { cat "$travail/journal"; echo "FAIL: the package could not be made"; exit 1; }
paquet=$construction/allumettes_1.0.0_$(dpkg --print-architecture).deb
[ -f "$paquet" ] || { echo "FAIL: no $(basename "$paquet")"; ls "$construction"; exit 1; }

champ() { dpkg-deb --field "$paquet" "$1"; }
[ "$(champ Package)" = allumettes ] || echec "Package: $(champ Package)"
[ "$(champ Version)" = 1.0.0 ] || echec "Version: $(champ Version)"
[ "$(champ Section)" = games ] || echec "Section: $(champ Section)"
# Computed from the binary: the C and C++ runtime libraries, with their versions.
[[ $(champ Depends) == *"libc6 (>="*"libstdc++6 (>="* ]] || echec "Depends: $(champ Depends)"
[[ $(champ Description | head -n 1) == "jeu des allumettes contre l'ordinateur, en console" ]] ||
  echec "summary: $(champ Description | head -n 1)"
[ "$(champ Description | wc -l)" -ge 5 ] || echec "no extended description"

attendu='./usr/games/allumettes
./usr/share/doc/allumettes/changelog.gz
./usr/share/doc/allumettes/copyright
./usr/share/man/man6/allumettes.6.gz'
fichiers=$(dpkg-deb --contents "$paquet" | grep -v '^d' | awk '{print $6}' | sort)
[ "$fichiers" = "$attendu" ] || echec "files in the package:"$'\n'"$fichiers"

# lintian reports on stdout; on stderr it only remarks that it runs as root.
rapport=$(lintian --fail-on error,warning "$paquet" 2>/dev/null)
statut=$?
if [ $statut != 0 ] || grep -q '^[EW]:' <<<"$rapport"; then
  echec "lintian (status $statut):"$'\n'"$rapport"
fi

racine=$travail/racine
dpkg -x "$paquet" "$racine" || echec "dpkg -x failed"
jeu=$racine/usr/games/allumettes
readelf -S "$jeu" | grep -q '\.symtab' && echec "the packaged game is not stripped"
zcat "$racine/usr/share/doc/allumettes/changelog.gz" | head -n 1 | grep -q '^allumettes (1.0.0) ' ||
  echec "the changelog does not start with version 1.0.0"
grep -q 'Copyright © 2026' "$racine/usr/share/doc/allumettes/copyright" ||
  echec "the copyright file does not state the 2026 copyright"
bash "$transcripts/run.sh" "$jeu" "$horloge_lib" "$transcripts/classique_machine_gagne" ||
  echec "the packaged game does not play the transcript classique_machine_gagne"

[ $echecs = 0 ] && echo "package test passed"
exit $echecs
