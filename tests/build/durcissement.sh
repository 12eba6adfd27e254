#!/bin/bash
# The hardening flags of a Release build: the game asks for checked library calls at level
# 2 where nothing set a level, and keeps the level that the build's flags set (a
# distribution's 3) rather than lowering it.
# Usage: durcissement.sh SOURCE_DIR
set -u
sources=$1
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
echecs=0

# The configurations run side by side: CXXFLAGS, and the _FORTIFY_SOURCE level expected.
cas=("|2" "-D_FORTIFY_SOURCE=3|3")
for i in "${!cas[@]}"; do
  CXXFLAGS=${cas[$i]%|*} cmake -S "$sources" -B "$travail/$i" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_TESTING=OFF >"$travail/journal-$i" 2>&1 &
done
wait
for i in "${!cas[@]}"; do
  drapeaux=${cas[$i]%|*} attendu="-D_FORTIFY_SOURCE=${cas[$i]#*|} "
  [ -f "$travail/$i/build.ninja" ] || { cat "$travail/journal-$i"; echo "FAIL: cannot configure"; exit 1; }
  vu=$(grep -o -- '-D_FORTIFY_SOURCE=[0-9]' "$travail/$i/build.ninja" | sort -u | tr '\n' ' ')
  [ "$vu" = "$attendu" ] || { echo "FAIL: with CXXFLAGS='$drapeaux' the compiler gets '$vu', expected '$attendu'"; echecs=1; }
done
exit $echecs
