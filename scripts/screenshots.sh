#!/usr/bin/env bash
# scripts/screenshots.sh [BUILD]: renders the README's pictures (the login page and the day's
# matches, at one and at two device pixels a point) with shots and puts them in docs/,
# replacing the old ones only when all rendered.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
scenes=(login matches)
shots="$build/tools/shots/shots"
[ -x "$shots" ] || { echo "screenshots: $shots is not built" >&2; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$shots" "$out" "${scenes[@]}"
"$shots" --scale 2 "$out" "${scenes[@]}"
files=()
for scene in "${scenes[@]}"; do files+=("$scene.png" "$scene@2x.png"); done
for file in "${files[@]}"; do
    [ -s "$out/$file" ] || { echo "screenshots: shots wrote no $file" >&2; exit 1; }
done
mkdir -p docs
for file in "${files[@]}"; do
    cp "$out/$file" "docs/$file"
    echo "docs/$file"
done
