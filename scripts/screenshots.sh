#!/usr/bin/env bash
# scripts/screenshots.sh [BUILD]: renders the README's pictures (the login page and the day's
# matches) with shots and puts them in docs/, replacing the old ones only when all rendered.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
scenes=(login matches)
shots="$build/tools/shots/shots"
[ -x "$shots" ] || { echo "screenshots: $shots is not built" >&2; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$shots" "$out" "${scenes[@]}"
for scene in "${scenes[@]}"; do
    [ -s "$out/$scene.png" ] || { echo "screenshots: shots wrote no $scene.png" >&2; exit 1; }
done
mkdir -p docs
for scene in "${scenes[@]}"; do
    cp "$out/$scene.png" "docs/$scene.png"
    echo "docs/$scene.png"
done
