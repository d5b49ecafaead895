#!/usr/bin/env bash
# The program through the real accessibility bus, as a screen reader meets it: a session bus
# of its own (dbus-run-session), the AT-SPI bus (at-spi2-core), the program on a virtual X
# screen against the demo service, and a client (a11y_client.py, with the system's python3
# and pyatspi) that
# - finds the program, checks the roles and names of the login page, types the login and
#   password through the editable-text interface and clicks LOGIN through its action, then
#   reads the table's row count, headers and first rows and compares them with what the
#   service sent (brelvan-cli reads the same list), and opens and cancels the filter;
# - follows the same login and a filter done with keys alone (xdotool key): Alt+R, the login
#   typed, Tab, the password, Enter; Ctrl+F, Tab to a box, a value, Enter; Ctrl+Down sorts;
#   Ctrl+F and Escape cancel.
# It prints the tree of each page (role, name, states, indented).
#
#   a11y-check.sh BRELVAN TIPSD BRELVAN_CLI
# Skipped (77, the reason on stderr) where the buses cannot start or a tool is missing.
set -euo pipefail
python=/usr/bin/python3
client=$(dirname "$(realpath "$0")")/a11y_client.py
launcher=/usr/libexec/at-spi-bus-launcher

skip() {
    echo "a11y-check: skipped: $*" >&2
    exit 77
}

needs() {
    for tool in Xvfb xdotool dbus-send; do
        command -v "$tool" >/dev/null || skip "$tool is missing (scripts/install-deps.sh installs it)"
    done
    [ -x "$launcher" ] || skip "$launcher is missing (at-spi2-core)"
    "$python" -c 'import pyatspi' 2>/dev/null || skip "$python has no pyatspi (python3-pyatspi)"
}
# shellcheck source=tests/app/bus-session.sh
source "$(dirname "$0")/bus-session.sh"
in_own_bus_session needs "$@"
brelvan=$(realpath "$1")
tipsd=$(realpath "$2")
cli=$(realpath "$3")

work=$(mktemp -d)
pids=()
app_pid=
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "a11y-check: $*" >&2
    [ -s "$work/brelvan.log" ] && { echo "a11y-check: the program said:" >&2; cat "$work/brelvan.log" >&2; }
    exit 1
}

# The accessibility bus, started now so that a machine where it cannot run is told apart
# from a failure of the program; screen readers are said to be on.
"$launcher" --launch-immediately >"$work/launcher.log" 2>&1 &
pids+=($!)
address=
for _ in $(seq 100); do
    address=$(dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.a11y.Bus.GetAddress 2>/dev/null | sed -n 's/^ *string "\(.*\)"$/\1/p' || true)
    [ -n "$address" ] && break
    sleep 0.05
done
[ -n "$address" ] || skip "the accessibility bus did not start: $(cat "$work/launcher.log")"
dbus-send --session --dest=org.a11y.Bus /org/a11y/bus org.freedesktop.DBus.Properties.Set \
    string:org.a11y.Status string:IsEnabled variant:boolean:true >/dev/null 2>&1 || true

# shellcheck source=tests/app/x-session.sh
source "$(dirname "$0")/x-session.sh"
start_xvfb 1280 1024
pids+=("$xvfb_pid")

"$tipsd" --port 0 --verbose 2>"$work/tipsd.log" &
pids+=($!)
service=
for _ in $(seq 100); do
    service=$(grep -o 'http://[0-9.:]*' "$work/tipsd.log" | head -n 1 | sed 's|http://||' || true)
    [ -n "$service" ] && break
    sleep 0.05
done
[ -n "$service" ] || fail "the demo service did not start"
# What the service sends, as the command line client reads it: what the table must show.
"$cli" matches "$service" demo demo >"$work/matches.csv" 2>/dev/null ||
    fail "brelvan-cli could not read the match list"

# start_app: the program in a fresh folder; sets app_pid and window.
start_app() {
    rm -rf "$work/run"
    mkdir -p "$work/run"
    (cd "$work/run" && BRELVAN_SERVICE=$service exec "$brelvan" 2>"$work/brelvan.log") &
    app_pid=$!
    wait_main_window
}

stop_app() {
    kill -TERM "$app_pid"
    for _ in $(seq 100); do
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.05
    done
    set +e
    wait "$app_pid"
    local code=$?
    set -e
    app_pid=
    [ "$code" -eq 0 ] || fail "the program ended with status $code"
}

client() {
    "$python" "$client" "$work/matches.csv" "$@" || fail "the client found a fault (above)"
}

# --- through the bus's interfaces ---
start_app
client bus
stop_app

# --- with keys alone ---
start_app
# The session gives the window the keyboard, as a window manager does; no mouse is used.
xdotool windowfocus --sync "$window"
client keys start
xdotool key alt+r
client keys remembered
xdotool type --delay 20 demo
xdotool key Tab
xdotool type --delay 20 demo
xdotool key Return
client keys logged-in
xdotool key ctrl+f
client keys filter-open
# From the first box (odds P1, from) six Tabs reach "percent P1, from"; its 0 becomes 60.
xdotool key Tab Tab Tab Tab Tab Tab End BackSpace BackSpace BackSpace BackSpace
xdotool type --delay 20 60
xdotool key Return
client keys filtered:60
# The current column moves to the count (the last column); Ctrl+Down sorts it descending.
xdotool key --delay 20 --repeat 20 Right
xdotool key ctrl+Down
client keys "sorted:Count"
xdotool key ctrl+f
client keys filter-open
xdotool key Escape
client keys filter-cancelled
[ -s "$work/run/zov.log" ] || fail "Alt+R before Enter did not remember the login"
stop_app
echo "a11y-check: the keyboard path: Alt+R, login with Enter, filter with Tab and Enter, sort, Escape"
