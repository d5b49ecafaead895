#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what clang-format (the repository's .clang-format)
# makes of it, and names the files. Needs clang-format (scripts/install-deps.sh installs it).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
log=$(mktemp)
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if ! clang-format --dry-run -Werror "${files[@]}" 2>"$log"; then
    grep -o '^[^:]*:[0-9]*:[0-9]*: error' "$log" | cut -d: -f1 | sort -u |
        sed 's/^/format: not formatted: /'
    rm -f "$log"
    echo "format: run clang-format -i on the files above"
    exit 1
fi
rm -f "$log"
echo "format: ${#files[@]} files formatted"
