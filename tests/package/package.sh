#!/bin/bash
# Makes the Debian package as a user would (a Release build of its own, then the target
# package), twice, from two clean folders a second apart: the two files must be the same
# bytes. Checks its fields and contents, runs lintian on it at every level, compares the
# packaged game with a plain stripped install, and plays a transcript with the game
# unpacked from it. Nothing is installed on the machine.
# Usage: package.sh SOURCE_DIR CLOCK_LIBRARY TRANSCRIPTS_DIR
set -u
sources=$1 horloge_lib=$2 transcripts=$3
# shellcheck source=../support/outils.sh
source "$(dirname "$0")/../support/outils.sh"
exiger dpkg-deb dpkg dpkg-shlibdeps dpkg-dev lintian lintian readelf binutils
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
echecs=0
echec() { echo "FAIL: $*"; echecs=1; }

version=$(sed -n 's/^project(allumettes VERSION \([0-9.]*\).*/\1/p' "$sources/CMakeLists.txt")
nom_du_paquet=allumettes_${version}_$(dpkg --print-architecture).deb
# Makes the package in a new folder; the environment has no SOURCE_DATE_EPOCH, as a user's.
construire() {
  env -u SOURCE_DATE_EPOCH cmake -S "$sources" -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_TESTING=OFF >"$travail/journal" 2>&1 &&
    env -u SOURCE_DATE_EPOCH cmake --build "$1" --target package >>"$travail/journal" 2>&1 ||
    { cat "$travail/journal"; echo "FAIL: the package could not be made"; exit 1; }
  [ -f "$1/$nom_du_paquet" ] || { echo "FAIL: no $nom_du_paquet"; ls "$1"; exit 1; }
}
construction=$travail/build
construire "$construction"
paquet=$construction/$nom_du_paquet
sleep 1
construire "$travail/build-2"
cmp "$paquet" "$travail/build-2/$nom_du_paquet" ||
  echec "two builds of the package differ: it is not reproducible"

champ() { dpkg-deb --field "$paquet" "$1"; }
[ "$(champ Package)" = allumettes ] || echec "Package: $(champ Package)"
[ "$(champ Version)" = "$version" ] || echec "Version: $(champ Version)"
[ "$(champ Section)" = games ] || echec "Section: $(champ Section)"
# Computed from the binary: the C and C++ runtime libraries, with their versions.
[[ $(champ Depends) == *"libc6 (>="*"libstdc++6 (>="* ]] || echec "Depends: $(champ Depends)"
[[ $(champ Description | head -n 1) == "jeu des allumettes contre l'ordinateur, en console" ]] ||
  echec "summary: $(champ Description | head -n 1)"
[ "$(champ Description | wc -l)" -ge 5 ] || echec "no extended description"

attendu='./usr/games/allumettes
./usr/share/doc/allumettes/changelog.gz
./usr/share/doc/allumettes/copyright
./usr/share/lintian/overrides/allumettes
./usr/share/man/man6/allumettes.6.gz'
fichiers=$(dpkg-deb --contents "$paquet" | grep -v '^d' | awk '{print $6}' | sort)
[ "$fichiers" = "$attendu" ] || echec "files in the package:"$'\n'"$fichiers"
# Every entry is dated by the newest changelog entry, to the minute.
date_attendue=$(TZ=UTC date -d "$(sed -n 's/^ -- .*>  //p' "$sources/packaging/changelog" | head -n 1)" \
  '+%Y-%m-%d %H:%M')
dates=$(TZ=UTC dpkg-deb --contents "$paquet" | awk '{print $4" "$5}' | sort -u)
[ "$dates" = "$date_attendue" ] || echec "dates in the package, expected $date_attendue:"$'\n'"$dates"

# lintian reports on stdout; on stderr it only remarks that it runs as root. At every level,
# nothing may be left once the package's own overrides apply.
rapport=$(lintian --pedantic -I --fail-on error,warning,info,pedantic "$paquet" 2>/dev/null)
statut=$?
if [ $statut != 0 ] || [ -n "$rapport" ]; then
  echec "lintian (status $statut):"$'\n'"$rapport"
fi

racine=$travail/racine
dpkg -x "$paquet" "$racine" || echec "dpkg -x failed"
jeu=$racine/usr/games/allumettes
readelf -S "$jeu" | grep -qE '\.(symtab|comment|note) ' && echec "the packaged game is not stripped"
# Installing without a package, as the README says, puts the very same game in place.
cmake --install "$construction" --prefix "$travail/prefixe" --strip >/dev/null ||
  echec "cmake --install --strip failed"
cmp -s "$jeu" "$travail/prefixe/games/allumettes" ||
  echec "the game of a stripped install is not the packaged game"
zcat "$racine/usr/share/doc/allumettes/changelog.gz" | head -n 1 |
  grep -q "^allumettes ($version) " || echec "the changelog does not start with version $version"
grep -q 'Copyright © 2026' "$racine/usr/share/doc/allumettes/copyright" ||
  echec "the copyright file does not state the 2026 copyright"
bash "$transcripts/run.sh" "$jeu" "$horloge_lib" "$transcripts/classique_machine_gagne" ||
  echec "the packaged game does not play the transcript classique_machine_gagne"

[ $echecs = 0 ] && echo "package test passed"
exit $echecs
