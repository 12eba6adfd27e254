#!/bin/bash
# SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
# SPDX-License-Identifier: MIT
# The hardening of the game, read from what the linker produced: a position-independent
# executable, its relocations read-only (GNU_RELRO) and all bound at start-up (BIND_NOW),
# the stack protector, and the C library's checked wrappers compiled in where the game calls
# a function they check (its line table names their header; a call the compiler proved in
# bounds stays plain, any other becomes a __*_chk import). Built as a user builds it, with a
# distribution's -D_FORTIFY_SOURCE=3 in CXXFLAGS, and with a compiler that sets that level
# itself as Ubuntu's does: each keeps its level, without a warning.
# Usage: durcissement.sh SOURCE_DIR, or durcissement.sh --binaire GAME [DEBUG_FILE]
set -u
echecs=0
echec() { echo "FAIL: $*"; echecs=1; }

# Checks one game; its debug information may stand in a file of its own, as in a package.
verifier_binaire() {
  local jeu=$1 debogage=${2:-$1} nom=$3
  readelf -h "$jeu" | grep -q 'Type: *DYN' || echec "$nom: not a position-independent executable"
  readelf -d "$jeu" | grep -q 'FLAGS_1.*PIE' || echec "$nom: no PIE flag"
  readelf -lW "$jeu" | grep -q GNU_RELRO || echec "$nom: no GNU_RELRO segment"
  readelf -d "$jeu" | grep -qE 'BIND_NOW|FLAGS_1.* NOW' || echec "$nom: not bound at start-up (BIND_NOW)"
  local importees
  importees=$(readelf --dyn-syms -W "$jeu" | awk '$7 == "UND" {print $8}' | sed 's/@.*//')
  grep -qx __stack_chk_fail <<<"$importees" || echec "$nom: no stack protector"
  grep -qE '^__.*_chk$' <<<"$importees" ||
    readelf --debug-dump=line "$debogage" 2>/dev/null | grep -qE '_fortified\.h|stdio2\.h' ||
    echec "$nom: no checked wrapper of the C library compiled in"
}

if [ "${1:-}" = --binaire ]; then
  verifier_binaire "$2" "${3:-$2}" "$2"
  exit $echecs
fi

sources=$1
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
# A compiler that sets _FORTIFY_SOURCE=3 itself whenever it optimises.
cat >"$travail/g++-fortifiant" <<'FIN'
#!/bin/sh
case " $* " in *" -O0 "*) exec g++ "$@" ;; *" -O"*) exec g++ -D_FORTIFY_SOURCE=3 "$@" ;; esac
exec g++ "$@"
FIN
chmod +x "$travail/g++-fortifiant"

# The builds side by side: the compiler and CXXFLAGS of each.
cas=("g++|" "g++|-D_FORTIFY_SOURCE=3" "$travail/g++-fortifiant|")
for i in "${!cas[@]}"; do
  (CXX=${cas[$i]%|*} CXXFLAGS=${cas[$i]#*|} cmake -S "$sources" -B "$travail/$i" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF && cmake --build "$travail/$i" --target allumettes) \
    >"$travail/journal-$i" 2>&1 &
done
wait
for i in "${!cas[@]}"; do
  nom="CXX=${cas[$i]%|*} CXXFLAGS='${cas[$i]#*|}'"
  [ -x "$travail/$i/allumettes" ] || { cat "$travail/journal-$i"; echec "$nom: no game built"; continue; }
  grep -i -A3 'warning' "$travail/journal-$i" && echec "$nom: the build warns"
  verifier_binaire "$travail/$i/allumettes" "" "$nom"
done
exit $echecs
