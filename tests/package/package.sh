#!/bin/bash
# SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
# SPDX-License-Identifier: MIT
# The Debian source package, built as a distribution builds it, from copies of the sources:
# - dpkg-buildpackage -us -uc, source and binary, with its fast tests;
# - again in another folder, time zone, locale and umask, as another user and without the
#   tests (nocheck): the .deb files must be the same bytes;
# - cross-built for arm64, whose game plays every transcript under qemu.
# lintian at every level reports nothing on the first; its files and the hardening of its
# game are read; its autopkgtest runs with the null runner, which installs it on this
# machine (as root only; it is removed after, unless it was installed before).
# Usage: package.sh SOURCE_DIR TRANSCRIPTS_DIR
set -u
sources=$1 transcripts=$2
ici=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../support/outils.sh
source "$ici/../support/outils.sh"
exiger dpkg-buildpackage dpkg-dev dh debhelper lintian lintian readelf binutils \
  autopkgtest autopkgtest aarch64-linux-gnu-g++ crossbuild-essential-arm64 qemu-aarch64 qemu-user
dpkg-query -W -f='${Status}' libstdc++6:arm64 2>/dev/null | grep -q installed ||
  { echo "SKIPPED: arm64's C++ runtime is missing: dpkg --add-architecture arm64, then install libstdc++6:arm64"; exit 77; }
travail=$(mktemp -d)
chmod 755 "$travail"
deja_installe=$(dpkg-query -W -f='${Status}' allumettes 2>/dev/null | grep -c ' installed')
nettoyer() {
  [ "$deja_installe" = 0 ] && dpkg-query -W allumettes >/dev/null 2>&1 && dpkg -r allumettes >/dev/null
  rm -rf "$travail"
}
trap nettoyer EXIT
echecs=0
echec() { echo "FAIL: $*"; echecs=1; }

version=$(dpkg-parsechangelog -l "$sources/debian/changelog" -S Version)
architecture=$(dpkg --print-architecture)
# The files of the sources, tracked or new, without what git ignores (the builds).
copier() {
  mkdir -p "$1"
  (cd "$sources" && git ls-files -z --cached --others --exclude-standard 2>/dev/null |
    while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done |
    xargs -0 cp --parents -t "$1") || { echo "FAIL: cannot copy the sources (a git checkout?)"; exit 1; }
}
a=$travail/a/allumettes
b=$travail/b/un/autre/chemin/allumettes-$version
bras=$travail/arm64/allumettes
for copie in "$a" "$b" "$bras"; do copier "$copie"; done
chown -R nobody:nogroup "$travail/b" 2>/dev/null || true

# The three builds side by side; the second as nobody where this test may switch user.
(cd "$a" && umask 022 && TZ=UTC LC_ALL=C.UTF-8 dpkg-buildpackage -us -uc) >"$travail/a.log" 2>&1 &
autre_utilisateur=()
[ "$(id -u)" = 0 ] && autre_utilisateur=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
locale_b=C
locale -a 2>/dev/null | grep -qix 'fr_FR.utf-?8' && locale_b=fr_FR.UTF-8
(cd "$b" && umask 002 && "${autre_utilisateur[@]}" env HOME="$travail/b" TZ=XYZ-14 LC_ALL=$locale_b \
  DEB_BUILD_OPTIONS=nocheck dpkg-buildpackage -us -uc -b) >"$travail/b.log" 2>&1 &
(cd "$bras" && dpkg-buildpackage --host-arch arm64 -Pcross,nocheck -b -us -uc) >"$travail/arm64.log" 2>&1 &
for construction in a b arm64; do
  wait -n || { cat "$travail"/*.log | tail -n 60; echo "FAIL: a build of the package failed"; exit 1; }
done

for deb in allumettes allumettes-dbgsym; do
  nom=${deb}_${version}_${architecture}.deb
  cmp "$travail/a/$nom" "$(dirname "$b")/$nom" ||
    echec "$nom differs between the two builds: it is not reproducible"
done

rapport=$(lintian --pedantic -I -E --fail-on error,warning,info,pedantic \
  "$travail/a/allumettes_${version}_${architecture}.changes" 2>/dev/null)
statut=$?
[ $statut = 0 ] && [ -z "$rapport" ] || echec "lintian (status $statut):"$'\n'"$rapport"

paquet=$travail/a/allumettes_${version}_${architecture}.deb
racine=$travail/racine
dpkg -x "$paquet" "$racine" && dpkg -x "$travail/a/allumettes-dbgsym_${version}_${architecture}.deb" "$racine"
attendu='./usr/games/allumettes
./usr/share/applications/org.example.allumettes.desktop
./usr/share/doc/allumettes/changelog.gz
./usr/share/doc/allumettes/copyright
./usr/share/icons/hicolor/128x128/apps/allumettes.png
./usr/share/icons/hicolor/16x16/apps/allumettes.png
./usr/share/icons/hicolor/256x256/apps/allumettes.png
./usr/share/icons/hicolor/32x32/apps/allumettes.png
./usr/share/icons/hicolor/48x48/apps/allumettes.png
./usr/share/icons/hicolor/64x64/apps/allumettes.png
./usr/share/icons/hicolor/scalable/apps/allumettes.svg
./usr/share/lintian/overrides/allumettes
./usr/share/man/man6/allumettes.6.gz
./usr/share/metainfo/org.example.allumettes.metainfo.xml'
fichiers=$(dpkg-deb --contents "$paquet" | grep -v '^d' | awk '{print $6}' | sort)
[ "$fichiers" = "$attendu" ] || echec "files in the package:"$'\n'"$fichiers"
[[ $(dpkg-deb --field "$paquet" Depends) == *"libc6 (>="*"libstdc++6 (>="* ]] ||
  echec "Depends: $(dpkg-deb --field "$paquet" Depends)"
bash "$ici/../build/durcissement.sh" --binaire "$racine/usr/games/allumettes" \
  "$(find "$racine/usr/lib/debug" -name '*.debug' | head -n 1)" || echec "the packaged game is not hardened"

if [ "$(id -u)" = 0 ]; then
  autopkgtest "$travail/a/allumettes_${version}_${architecture}.changes" -- null >"$travail/autopkgtest.log" 2>&1 ||
    { tail -n 40 "$travail/autopkgtest.log"; echec "the autopkgtest failed"; }
else
  echo "autopkgtest not run: the null runner installs the package, which needs root"
fi

# The arm64 game, with the clock library built for it, under qemu; qemu's own environment
# keeps the build machine's clock library, which it cannot load.
jeu=$travail/arm64/racine/usr/games/allumettes
dpkg -x "$travail/arm64/allumettes_${version}_arm64.deb" "$travail/arm64/racine"
aarch64-linux-gnu-gcc -shared -fPIC -O2 -o "$travail/arm64/horloge.so" "$ici/../support/horloge_fixe.c" -ldl ||
  echec "the clock library does not build for arm64"
cat >"$travail/arm64/jeu" <<FIN
#!/bin/sh
exec qemu-aarch64 -L /usr/aarch64-linux-gnu -E LD_PRELOAD=$travail/arm64/horloge.so "$jeu" "\$@"
FIN
chmod +x "$travail/arm64/jeu"
for entree in "$transcripts"/*.in; do
  bash "$transcripts/run.sh" "$travail/arm64/jeu" "" "${entree%.in}" ||
    echec "the arm64 game does not play $(basename "$entree" .in)"
done

[ $echecs = 0 ] && echo "package test passed"
exit $echecs
