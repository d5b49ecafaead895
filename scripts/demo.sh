#!/usr/bin/env bash
# Runs the demo: the demo tips service on loopback and the client against it.
set -euo pipefail
build=${1:-build}
if [ ! -x "$build/tools/tipsd/tipsd" ] || [ ! -x "$build/tools/brelvan-cli/brelvan-cli" ]; then
    echo "The demo is not ready yet: the demo service and the client are still being built." >&2
    exit 1
fi
"$build/tools/tipsd/tipsd" --port 18080 &
server=$!
trap 'kill $server 2>/dev/null' EXIT
sleep 0.3
if [ -x "$build/app/brelvan" ]; then
    "$build/app/brelvan"
else
    echo "The window is not built yet; showing the match list the service client reads:"
    "$build/tools/brelvan-cli/brelvan-cli" matches 127.0.0.1:18080 demo demo
fi
