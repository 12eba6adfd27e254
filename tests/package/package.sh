#!/bin/bash
# SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
# SPDX-License-Identifier: MIT
# The Debian source package, built as Debian's builders build it:
# - the orig tarball, made twice by packaging/orig.sh (the same bytes, debian/ left out); that
#   tree alone configures, builds, passes the fast tests and installs;
# - dpkg-buildpackage -us -uc from the tarball and debian/: lintian at every level reports
#   nothing; the package's files, dependencies and hardening, its desktop entry and metainfo
#   silent under their validators' strictest reading; with the stack protector stripped from
#   dpkg's flags, a game without it;
# - in a clean chroot of this Debian release (debootstrap --variant=buildd from the mirror
#   apt is configured with, kept between runs), built from the .dsc with only its
#   Build-Depends, as a user who is not root: with the tests, then with -Pnocheck, without
#   GoogleTest, in another folder, time zone, locale and umask: the same .deb;
# - its autopkgtest in a testbed made from that chroot without compilers (autopkgtest's
#   chroot server, on a fresh copy), so that debian/tests/control names all the test needs; piuparts
#   installs and purges it, and upgrades to it from release 1.4.0's package;
# - cross-built for arm64 and armhf, whose games play every transcript under qemu.
# Needs root (the chroots). Usage: package.sh SOURCE_DIR TRANSCRIPTS_DIR
set -u
export DEBIAN_FRONTEND=noninteractive
sources=$1 transcripts=$2
ici=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../support/outils.sh
source "$ici/../support/outils.sh"
exiger dpkg-buildpackage dpkg-dev dh debhelper lintian lintian readelf binutils \
  autopkgtest autopkgtest debootstrap debootstrap piuparts piuparts \
  aarch64-linux-gnu-g++ crossbuild-essential-arm64 arm-linux-gnueabihf-g++ crossbuild-essential-armhf \
  qemu-aarch64 qemu-user appstreamcli appstream desktop-file-validate desktop-file-utils
for a in arm64 armhf; do
  dpkg-query -W -f='${Status}' "libstdc++6:$a" 2>/dev/null | grep -q installed ||
    { echo "SKIPPED: $a's C++ runtime is missing: dpkg --add-architecture $a, then install libstdc++6:$a"; exit 77; }
done
[ "$(id -u)" = 0 ] || { echo "SKIPPED: the package's chroots need root"; exit 77; }
git -C "$sources" rev-parse --git-dir >/dev/null 2>&1 || { echo "SKIPPED: not a git checkout"; exit 77; }
travail=$(mktemp -d)
chmod 755 "$travail"
trap 'rm -rf "$travail"' EXIT
echecs=0
echec() { echo "FAIL: $*"; echecs=1; }
journal() { tail -n 40 "$travail/$1.log"; }

version=$(dpkg-parsechangelog -l "$sources/debian/changelog" -S Version)
amont=${version%-*}
architecture=$(dpkg --print-architecture)

# The orig tarball twice, the second in another umask and time zone; then the source tree
# as dpkg-source makes it: the tarball, and debian/ beside it.
mkdir -p "$travail/a" "$travail/orig2"
bash "$sources/packaging/orig.sh" "$travail/a" >/dev/null || { echo "FAIL: orig.sh"; exit 1; }
(umask 002 && TZ=XYZ-14 bash "$sources/packaging/orig.sh" "$travail/orig2" >/dev/null)
orig=allumettes_$amont.orig.tar.xz
cmp -s "$travail/a/$orig" "$travail/orig2/$orig" || echec "two orig tarballs differ"
tar -tJf "$travail/a/$orig" | grep -q "^allumettes-$amont/debian/" && echec "the orig tarball holds debian/"
arbre() { # DIR: the source tree unpacked from the tarball, with debian/ when asked
  mkdir -p "$1" && tar -xJf "$travail/a/$orig" -C "$1" --strip-components=1 &&
    { [ "${2:-}" != debian ] || cp -r "$sources/debian" "$1/"; }
}

# The upstream tree alone: configured, built, tested and installed.
seul=$travail/seul
arbre "$seul/sources"
(cmake -S "$seul/sources" -B "$seul/build" -G Ninja && cmake --build "$seul/build" &&
  ctest --test-dir "$seul/build" -LE lent && cmake --install "$seul/build" --prefix "$seul/prefixe") \
  >"$travail/seul.log" 2>&1 &
# The package, its source too; with the stack protector stripped from dpkg's flags; for
# arm64 and armhf.
arbre "$travail/a/allumettes-$amont" debian
(cd "$travail/a/allumettes-$amont" && TZ=UTC dpkg-buildpackage -us -uc) >"$travail/a.log" 2>&1 &
sans=(DEB_CFLAGS_STRIP=-fstack-protector-strong DEB_CXXFLAGS_STRIP=-fstack-protector-strong)
arbre "$travail/sans/allumettes" debian
(cd "$travail/sans/allumettes" && env "${sans[@]}" dpkg-buildpackage -Pnocheck -b -us -uc) \
  >"$travail/sans.log" 2>&1 &
for bras in arm64 armhf; do
  arbre "$travail/$bras/allumettes" debian
  (cd "$travail/$bras/allumettes" && dpkg-buildpackage --host-arch $bras -Pcross,nocheck -b -us -uc) \
    >"$travail/$bras.log" 2>&1 &
done
for construction in seul a sans arm64 armhf; do
  wait -n || { cat "$travail"/*.log | grep -iE -B5 'error|fail' | tail -n 60; echo "FAIL: a build failed"; exit 1; }
done

changes=$travail/a/allumettes_${version}_${architecture}.changes
rapport=$(lintian --pedantic -I -E --fail-on error,warning,info,pedantic "$changes" 2>/dev/null)
statut=$?
[ $statut = 0 ] && [ -z "$rapport" ] || echec "lintian (status $statut):"$'\n'"$rapport"

paquet=$travail/a/allumettes_${version}_${architecture}.deb
racine=$travail/racine
dpkg -x "$paquet" "$racine" && dpkg -x "$travail/a/allumettes-dbgsym_${version}_${architecture}.deb" "$racine"
attendu='./usr/games/allumettes
./usr/share/applications/org.example.allumettes.desktop
./usr/share/doc/allumettes/changelog.Debian.gz
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
# The validators at their strictest: nothing but success.
for v in "desktop-file-validate $racine/usr/share/applications/org.example.allumettes.desktop" \
  "appstreamcli validate --no-net --pedantic $racine/usr/share/metainfo/org.example.allumettes.metainfo.xml"; do
  rapport=$($v 2>&1 | grep -vx '✔ Validation was successful.')
  [ -z "$rapport" ] || echec "${v%% *}:"$'\n'"$rapport"
done
dpkg -x "$travail/sans/allumettes_${version}_${architecture}.deb" "$travail/sans/racine"
readelf --dyn-syms -W "$travail/sans/racine/usr/games/allumettes" | grep -q __stack_chk_fail &&
  echec "with the stack protector stripped from dpkg's flags, the game still has it"

# The upstream tree alone, installed.
[ -x "$seul/prefixe/games/allumettes" ] || echec "the tree without debian/ installs no game"

# The cross-built games, with the clock library built for each, under qemu; qemu's own
# environment keeps the build machine's clock library, which it cannot load.
for cible in arm64:aarch64-linux-gnu:aarch64 armhf:arm-linux-gnueabihf:arm; do
  IFS=: read -r bras triplet qemu <<<"$cible"
  dpkg -x "$travail/$bras/allumettes_${version}_$bras.deb" "$travail/$bras/racine"
  "$triplet-gcc" -shared -fPIC -O2 -o "$travail/$bras/horloge.so" "$ici/../support/horloge_fixe.c" -ldl ||
    echec "the clock library does not build for $bras"
  printf '#!/bin/sh\nexec qemu-%s -L /usr/%s -E LD_PRELOAD=%s %s "$@"\n' "$qemu" "$triplet" \
    "$travail/$bras/horloge.so" "$travail/$bras/racine/usr/games/allumettes" >"$travail/$bras/jeu"
  chmod +x "$travail/$bras/jeu"
  for entree in "$transcripts"/*.in; do
    bash "$transcripts/run.sh" "$travail/$bras/jeu" "" "${entree%.in}" ||
      echec "the $bras game does not play $(basename "$entree" .in)"
  done
done

# ---- In a clean chroot --------------------------------------------------------------------
# The release and mirror this machine's apt is configured with.
distribution=$(. /etc/os-release && echo "$VERSION_CODENAME")
miroir=$(apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(COMPONENT)' 'Identifier: Packages' |
  awk -v d="$distribution" '$2 == d && $3 == "main" { print $1; exit }')
[ -n "$miroir" ] || { echo "FAIL: apt has no mirror of $distribution main"; exit 1; }
cache=${XDG_CACHE_HOME:-$HOME/.cache}/allumettes-paquet/$distribution
mkdir -p "$cache"
# Runs a command of this machine with /proc and /dev mounted in the chroot DIR, in a mount
# namespace of its own: nothing stays mounted after it. dans runs it inside, as root.
avec_montages() {
  cp -L /etc/resolv.conf "$1/etc/resolv.conf"
  unshare --mount --fork sh -c 'mount -t proc proc "$1/proc" && mount --rbind /dev "$1/dev" &&
    shift && exec "$@"' sh "$@"
}
dans() { avec_montages "$1" chroot "$@"; }
# The chroot, made once; its package lists renewed and the Build-Depends downloaded at each
# run, so that each copy of it installs them without the network.
base=$cache/buildd
if [ ! -e "$base/etc/debian_version" ]; then
  rm -rf "$base"
  debootstrap --variant=buildd "$distribution" "$base" "$miroir" >"$travail/debootstrap.log" 2>&1 ||
    { journal debootstrap; echo "FAIL: debootstrap"; exit 1; }
fi
dsc=allumettes_$version.dsc
rm -f "$base/tmp/"allumettes_*
cp "$travail/a/$dsc" "$travail/a/$orig" "$travail/a/allumettes_$version.debian.tar.xz" "$base/tmp/"
{ dans "$base" apt-get update -qq && dans "$base" apt-get build-dep -y -qq --download-only "/tmp/$dsc"; } \
  >"$travail/apt.log" 2>&1 || { journal apt; echo "FAIL: apt-get in the chroot"; exit 1; }

# The two builds from the .dsc, side by side: each its own copy of the chroot, its own
# Build-Depends, a user who is not root.
construire() { # NAME PROFILE FOLDER TZ LOCALE UMASK
  local r=$travail/$1 apt=() dpkg=()
  [ -n "$2" ] && apt=(--build-profiles="$2") dpkg=(-P"$2")
  cp -a "$base" "$r" && dans "$r" useradd -m constructeur && mkdir -p "$r$3" &&
    mv "$r/tmp/"allumettes_* "$r$3/" && dans "$r" chown -R constructeur: "$3" &&
    dans "$r" apt-get build-dep -y -qq "${apt[@]}" "$3/$dsc" >"$travail/$1.log" 2>&1 &&
    dans "$r" setpriv --reuid=constructeur --regid=constructeur --init-groups env HOME=/home/constructeur \
      TZ="$4" LC_ALL="$5" sh -c "umask $6 && cd $3 && dpkg-source -x $dsc src && cd src &&
        dpkg-buildpackage -us -uc -b ${dpkg[*]}" >>"$travail/$1.log" 2>&1
}
construire chroot-a "" /construction UTC C.UTF-8 022 &
construire chroot-b nocheck /home/constructeur/un/autre/chemin XYZ-14 C 002 &
for construction in chroot-a chroot-b; do
  wait -n || { journal chroot-a; journal chroot-b; echec "a build in the chroot failed"; }
done
dans "$travail/chroot-b" dpkg -s libgtest-dev >/dev/null 2>&1 && echec "-Pnocheck installed GoogleTest"
for deb in allumettes allumettes-dbgsym; do
  nom=${deb}_${version}_${architecture}.deb
  cmp -s "$travail/chroot-a/construction/$nom" "$travail/chroot-b/home/constructeur/un/autre/chemin/$nom" ||
    echec "$nom differs between the two builds in the chroot"
done

# A testbed without compilers, made once from the chroot, and copied afresh for each run.
essai=$cache/essai
if [ ! -e "$essai/etc/debian_version" ]; then
  rm -rf "$essai" "$essai.tmp" && cp -a "$base" "$essai.tmp" &&
    dans "$essai.tmp" apt-get purge -y -qq --autoremove build-essential gcc gcc-12 g++ cpp cpp-12 libc6-dev dpkg-dev binutils \
      >"$travail/essai.log" 2>&1 && dans "$essai.tmp" apt-get clean && rm -f "$essai.tmp/tmp/"* &&
    ! dans "$essai.tmp" sh -c 'command -v gcc-12 || command -v cc || command -v ld' && mv "$essai.tmp" "$essai" ||
    { journal essai; echo "FAIL: the testbed without compilers"; exit 1; }
fi
cp -a "$essai" "$travail/banc"
arbre "$travail/essai-sources" debian
avec_montages "$travail/banc" autopkgtest "$paquet" "$travail/essai-sources/" -- chroot "$travail/banc" \
  >"$travail/autopkgtest.log" 2>&1 || { journal autopkgtest; echec "the autopkgtest failed in a clean testbed"; }

# piuparts: installed and purged, and upgraded from release 1.4.0's package, built once from
# that release's commit, and offered in a repository of its own.
depot=$travail/depot
mkdir -p "$depot"
ancienne=a4f2b8adb7c2fdca8456272649ed4b883681da2a
if [ ! -s "$cache/allumettes_1.4.0_$architecture.deb" ]; then
  mkdir -p "$travail/ancienne/allumettes" &&
    git -C "$sources" archive "$ancienne" | tar -x -C "$travail/ancienne/allumettes" &&
    (cd "$travail/ancienne/allumettes" && dpkg-buildpackage -Pnocheck -b -us -uc) >"$travail/ancienne.log" 2>&1 &&
    cp "$travail/ancienne/allumettes_1.4.0_$architecture.deb" "$cache/" ||
    { journal ancienne; echec "release 1.4.0's package could not be built"; }
fi
cp "$cache/allumettes_1.4.0_$architecture.deb" "$depot/" && (cd "$depot" && dpkg-scanpackages . >Packages 2>/dev/null)
piuparts --existing-chroot="$essai" -m "$miroir" -d "$distribution" --bindmount="$depot" \
  --extra-repo="deb [trusted=yes] file://$depot ./" "$paquet" >"$travail/piuparts.log" 2>&1 ||
  { journal piuparts; echec "piuparts"; }
grep -q 'PASS: Installation, upgrade and purging tests' "$travail/piuparts.log" ||
  echec "piuparts made no upgrade test"

[ $echecs = 0 ] && echo "package test passed"
exit $echecs
