#!/usr/bin/env bash
# Starts the real program on a virtual X screen, finds its window, checks that it is
# 821 x 633 (803 x 589 inside the skinned frame), centred on the screen and shaped by the
# server (the frame's rounded corners), closes it with
# the frame's close button and checks that the program ended with status 0. Then, each with a
# program of its own, as a user (or the session) would:
# - LOGIN against a service that accepts and never answers: Remember takes a click meanwhile,
#   Escape gives the login page back, and once the service answers the next LOGIN logs in
#   (remembered, since the click was taken);
# - LOGIN, Escape, LOGIN again against that silent service, then the close button: the
#   program ends at once with status 0 and has written nothing;
# - a refused login's box closed with Return: the keys typed next, without a click, reach
#   the password box that had them before;
# - SIGTERM while a box is open: the program ends with status 0;
# - the X server stopped under the program: it ends with status 1 and one line on stderr.
#
#   window-check.sh BRELVAN CLOSE_X CLOSE_Y [TIPSD]
# CLOSE_X, CLOSE_Y: the close button's centre, in pixels from the window's top-right corner
# (x leftwards, y downwards); the window tests check the same spot on the headless display.
# TIPSD: the demo service, for the checks that log in (skipped without it).
set -euo pipefail
brelvan=$(realpath "$1")
close_x=$2
close_y=$3
tipsd=${4:+$(realpath "$4")}
width=1280
height=1024

for tool in Xvfb xdotool xwininfo; do
    if ! command -v "$tool" >/dev/null; then
        # Skipped, not failed: a machine without them cannot run this check.
        echo "window-check: $tool is missing (scripts/install-deps.sh installs it)" >&2
        exit 77
    fi
done

work=$(mktemp -d)
xvfb_pid=
app_pid=
tipsd_pid=
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$tipsd_pid" ] && { kill -CONT "$tipsd_pid"; kill "$tipsd_pid"; } 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "window-check: $*" >&2
    [ -s "$work/brelvan.log" ] && { echo "window-check: the program said:" >&2; cat "$work/brelvan.log" >&2; }
    exit 1
}
# shellcheck source=tests/app/x-session.sh
source "$(dirname "$0")/x-session.sh"

start_xvfb "$width" "$height"

# Nothing is contacted at start; a working folder of its own keeps the remembered login out.
(cd "$work" && BRELVAN_SERVICE=127.0.0.1:1 exec "$brelvan" 2>"$work/brelvan.log") &
app_pid=$!

window=
for _ in $(seq 200); do
    if ! kill -0 "$app_pid" 2>/dev/null; then
        app_status=0
        wait "$app_pid" || app_status=$?
        app_pid=
        echo "window-check: the program ended with status $app_status before its window appeared;" \
            "it said:" >&2
        cat "$work/brelvan.log" >&2
        echo "window-check: the server said:" >&2
        cat "$work/xvfb.log" >&2
        exit 1
    fi
    window=$(windows_titled Brelvan | head -n 1)
    [ -n "$window" ] && break
    sleep 0.1
done
if [ -z "$window" ]; then
    echo "window-check: no window named Brelvan appeared" >&2
    exit 1
fi
eval "$(xdotool getwindowgeometry --shell "$window")"
echo "window-check: window $WINDOW at $X,$Y size ${WIDTH}x$HEIGHT"
status=0
if [ "$WIDTH" -ne 821 ] || [ "$HEIGHT" -ne 633 ]; then
    echo "window-check: the window is ${WIDTH}x$HEIGHT, not 821x633" >&2
    status=1
fi
want_x=$(((width - 821) / 2))
want_y=$(((height - 633) / 2))
if [ $((X - want_x)) -lt -1 ] || [ $((X - want_x)) -gt 1 ] ||
    [ $((Y - want_y)) -lt -1 ] || [ $((Y - want_y)) -gt 1 ]; then
    echo "window-check: the window is at $X,$Y, not centred at $want_x,$want_y" >&2
    status=1
fi
# The rounded corners are the server's shape of the window, not pixels painted black.
if ! xwininfo -shape -id "$window" | grep -q "Window shape extents: *821x633+0+0"; then
    echo "window-check: the window has no shape of its size:" >&2
    xwininfo -shape -id "$window" | grep -i shape >&2
    status=1
fi

# The frame's close button, pressed as a user presses it.
xdotool mousemove --window "$window" $((WIDTH - close_x)) "$close_y"
sleep 0.2
xdotool click 1
for _ in $(seq 100); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.05
done
if kill -0 "$app_pid" 2>/dev/null; then
    echo "window-check: the window did not close on its close button" >&2
    exit 1
fi
set +e
wait "$app_pid"
code=$?
set -e
app_pid=
if [ "$code" -ne 0 ]; then
    echo "window-check: the program exited with status $code:" >&2
    cat "$work/brelvan.log" >&2
    status=1
fi

# --- the checks that drive the program further ---

# Spots of the login page, in window pixels (as the headless window lays them out).
login_box="572 348"
password_box="570 409"
login_button="562 484"
remember_box="478 451"


now_ms() { date +%s%3N; }

# start_app SERVICE: the program in a fresh folder, talking to SERVICE; sets app_pid, window.
start_app() {
    rm -rf "$work/run"
    mkdir -p "$work/run"
    (cd "$work/run" && BRELVAN_SERVICE=$1 exec "$brelvan" 2>"$work/brelvan.log") &
    app_pid=$!
    wait_main_window
    sleep 0.2
}

click_at() { # click_at "X Y": a click at a spot of the window
    xdotool mousemove --window "$window" $1 click 1
}

type_into() { # type_into "X Y" TEXT
    click_at "$1"
    xdotool type --delay 10 "$2"
}

# wait_end LIMIT_MS: waits for the program to end (a guard of LIMIT_MS, not a measurement);
# sets app_code and ended_ms, the time it took.
wait_end() {
    local start
    start=$(now_ms)
    while kill -0 "$app_pid" 2>/dev/null; do
        [ $(($(now_ms) - start)) -gt "$1" ] && fail "the program did not end within $1 ms"
        sleep 0.01
    done
    ended_ms=$(($(now_ms) - start))
    set +e
    wait "$app_pid"
    app_code=$?
    set -e
    app_pid=
}

press_close_button() {
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove --window "$window" $((WIDTH - close_x)) "$close_y"
    sleep 0.1
    xdotool click 1
}

# Waits until a window whose title matches the pattern (in either case) shows; prints its id.
wait_window() {
    for _ in $(seq 100); do
        found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
        [ -n "$found" ] && { echo "$found"; return 0; }
        sleep 0.05
    done
    return 1
}

if [ -n "$tipsd" ]; then
    "$tipsd" --port 0 --verbose 2>"$work/tipsd.log" &
    tipsd_pid=$!
    service=
    for _ in $(seq 100); do
        service=$(grep -o 'http://[0-9.:]*' "$work/tipsd.log" | head -n 1 | sed 's|http://||' || true)
        [ -n "$service" ] && break
        sleep 0.05
    done
    [ -n "$service" ] || fail "the demo service did not start"

    # A service that accepts and never answers: the stopped process's socket still takes
    # connections, and nothing reads them.
    kill -STOP "$tipsd_pid"
    start_app "$service"
    type_into "$login_box" demo
    type_into "$password_box" demo
    click_at "$login_button"
    sleep 0.3
    click_at "$remember_box" # taken while LOGIN waits, or the login below is not remembered
    sleep 0.2
    xdotool key Escape
    sleep 0.2
    kill -CONT "$tipsd_pid"
    click_at "$login_button"
    wait_window '^Brelvan [(]' >/dev/null || fail "LOGIN after Escape did not log in"
    sleep 0.3
    [ -s "$work/run/zov.log" ] || fail "the click on Remember made while LOGIN waited was lost"
    press_close_button
    wait_end 5000
    [ "$app_code" -eq 0 ] || fail "the program ended with status $app_code after logging in"
    echo "window-check: Remember was taken while LOGIN waited; Escape gave the login page back"

    kill -STOP "$tipsd_pid"
    start_app "$service"
    type_into "$login_box" demo
    type_into "$password_box" demo
    click_at "$remember_box"
    click_at "$login_button"
    sleep 0.3
    xdotool key Escape
    sleep 0.2
    click_at "$login_button"
    sleep 0.3
    press_close_button
    wait_end 5000
    kill -CONT "$tipsd_pid"
    [ "$app_code" -eq 0 ] || fail "closed while LOGIN waited, the program ended with status $app_code"
    [ -e "$work/run/zov.log" ] && fail "a cancelled login wrote the remembered login"
    echo "window-check: closed while LOGIN waited: ended in ${ended_ms} ms with status 0"

    # Keys after a box: the refusal's box is closed with Return, and what is typed next goes
    # on into the password box (the service sees it in the next login's URL).
    start_app "$service"
    type_into "$login_box" demo
    type_into "$password_box" wrong
    click_at "$login_button"
    box=$(wait_titled brelvan) || fail "no refusal box came up"
    sleep 0.2
    xdotool key Return
    wait_gone brelvan || fail "the refusal box did not close on Return"
    sleep 0.2
    xdotool type --delay 10 "Keys" # no click first: the window has the keyboard back
    sleep 0.2
    click_at "$login_button"
    wait_titled brelvan >/dev/null || fail "no second refusal box came up"
    # (The box gives the focus back to the password box, whose text is then selected.)
    grep -Eq 'pass=(wrong)?Keys ' "$work/tipsd.log" ||
        fail "keys typed after the box did not reach the password box: $(grep -o 'pass=[^ ]*' "$work/tipsd.log" | tail -n 1)"
    xdotool key Return
    sleep 0.2
    # SIGTERM while a box is open: the box and the window close, the program ends with 0.
    click_at "$login_button"
    wait_titled brelvan >/dev/null || fail "no third refusal box came up"
    kill -TERM "$app_pid"
    wait_end 5000
    [ "$app_code" -eq 0 ] || fail "SIGTERM with a box open: status $app_code"
    echo "window-check: keys reach the window after a box; SIGTERM with a box open: ended in ${ended_ms} ms with status 0"
fi

# The X server goes away under the program: it ends with status 1 and says so in one line.
start_app 127.0.0.1:1
kill "$xvfb_pid"
wait "$xvfb_pid" 2>/dev/null || true
xvfb_pid=
wait_end 5000
[ "$app_code" -eq 1 ] || fail "the display went away: status $app_code, not 1"
lines=$(wc -l <"$work/brelvan.log")
[ "$lines" -eq 1 ] || fail "the display went away: $lines lines on stderr, not 1"
echo "window-check: the display went away: ended in ${ended_ms} ms with status 1: $(cat "$work/brelvan.log")"
exit $status
