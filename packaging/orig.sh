#!/bin/bash
# SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
# SPDX-License-Identifier: MIT
# Makes the upstream tarball, allumettes_VERSION.orig.tar.xz, from a git checkout: every file
# git tracks or would track (the work tree as it stands, builds left out), but debian/, under
# allumettes-VERSION/. The same tree gives the same bytes: names sorted, one owner, modes
# from the executable bit alone, every date the release's, from CHANGELOG.md.
# Usage: bash packaging/orig.sh [OUTPUT_DIR]   (default: the folder above the checkout)
#        bash packaging/orig.sh --liste   (the files it takes, each ended by a NUL byte)
set -euo pipefail
sources=$(cd "$(dirname "$0")/.." && pwd)
fichiers() {
  (cd "$sources" && git ls-files -z --cached --others --exclude-standard) |
    while IFS= read -r -d '' f; do
      [[ $f == debian/* ]] || [ ! -f "$sources/$f" ] || printf '%s\0' "$f"
    done | LC_ALL=C sort -z
}
[ "${1:-}" = --liste ] && { fichiers; exit; }
sortie=$(cd "${1:-$sources/..}" && pwd)
# The first heading of the changelog: "## VERSION (YYYY-MM-DD)".
read -r version date < <(sed -n 's/^## \([0-9.]*\) (\([0-9-]*\))$/\1 \2/p' "$sources/CHANGELOG.md" | head -n 1)
[ -n "${date:-}" ] || { echo "orig.sh: no '## VERSION (YYYY-MM-DD)' heading in CHANGELOG.md" >&2; exit 1; }
archive=$sortie/allumettes_$version.orig.tar.xz

cd "$sources"
fichiers |
  tar --create --format=gnu --transform "s|^|allumettes-$version/|" --mtime "$date 00:00:00Z" \
    --owner=0 --group=0 --numeric-owner --mode=u+rw,go=rX,a-s --null --files-from=- |
  xz -9 --threads=1 >"$archive.tmp"
mv "$archive.tmp" "$archive"
echo "$archive"
