#!/usr/bin/env bash
# Runs the demo: the demo tips service on loopback, then the window against it. The service
# stops when the window closes. Log in with demo / demo.
set -euo pipefail
build=${1:-build}
port=${BRELVAN_DEMO_PORT:-18080}
for exe in tools/tipsd/tipsd app/brelvan; do
    if [ ! -x "$build/$exe" ]; then
        echo "demo: $build/$exe is missing: run make demo" >&2
        exit 1
    fi
done
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "demo: no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set)" >&2
    exit 3
fi

"$build/tools/tipsd/tipsd" --port "$port" &
server=$!
trap 'kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true' EXIT
# Wait until the service listens (or has given up, e.g. because the port is taken).
for _ in $(seq 50); do
    if ! kill -0 "$server" 2>/dev/null; then
        echo "demo: the demo service did not start (is port $port in use?)" >&2
        exit 1
    fi
    if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
        break
    fi
    sleep 0.1
done
echo "The demo service listens on 127.0.0.1:$port; log in with demo / demo."
BRELVAN_SERVICE="127.0.0.1:$port" "$build/app/brelvan"
