#!/usr/bin/env bash
# Starts the real program on a virtual X screen whose resources ask for 192 dots per inch
# (Xft.dpi, as a desktop set to 200 % sets it) and checks that its window is twice as large in
# the server's pixels (1642 x 1266), centred, shaped at that size, and that the frame's close
# button, pressed where it shows at that scale, ends the program with status 0.
#
#   x11-scale-check.sh BRELVAN
set -euo pipefail
brelvan=$(realpath "$1")
width=2560
height=2048

for tool in Xvfb xdotool xwininfo xprop; do
    if ! command -v "$tool" >/dev/null; then
        echo "x11-scale-check: skipped: $tool is missing (scripts/install-deps.sh installs it)" >&2
        exit 77
    fi
done

work=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "x11-scale-check: $*" >&2
    [ -s "$work/brelvan.log" ] && { echo "x11-scale-check: the program said:" >&2; cat "$work/brelvan.log" >&2; }
    exit 1
}

# shellcheck source=tests/app/x-session.sh
source "$(dirname "$0")/x-session.sh"
start_xvfb "$width" "$height"
unset WAYLAND_DISPLAY BRELVAN_SCALE GDK_SCALE
xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "$(printf 'Xft.antialias:\t1\nXft.dpi:\t192\n')"

(cd "$work" && BRELVAN_SERVICE=127.0.0.1:1 exec "$brelvan" 2>"$work/brelvan.log") &
app_pid=$!
wait_main_window
sleep 0.2
eval "$(xdotool getwindowgeometry --shell "$window")"
echo "x11-scale-check: window at $X,$Y size ${WIDTH}x$HEIGHT"
[ "$WIDTH" -eq 1642 ] && [ "$HEIGHT" -eq 1266 ] || fail "the window is ${WIDTH}x$HEIGHT, not 1642x1266"
want_x=$(((width - 1642) / 2))
want_y=$(((height - 1266) / 2))
[ $((X - want_x)) -ge -2 ] && [ $((X - want_x)) -le 2 ] && [ $((Y - want_y)) -ge -2 ] &&
    [ $((Y - want_y)) -le 2 ] || fail "the window is at $X,$Y, not centred at $want_x,$want_y"
xwininfo -shape -id "$window" | grep -q "Window shape extents: *1642x1266+0+0" ||
    fail "the window has no shape of its size: $(xwininfo -shape -id "$window" | grep -i shape)"

# The close button, 20 x 14 points in from the top-right corner: 40 x 28 pixels here.
xdotool mousemove --window "$window" $((WIDTH - 40)) 28
sleep 0.2
xdotool click 1
for _ in $(seq 100); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.05
done
kill -0 "$app_pid" 2>/dev/null && fail "the window did not close on its close button"
code=0
wait "$app_pid" || code=$?
app_pid=
[ "$code" -eq 0 ] || fail "the program ended with status $code"
echo "x11-scale-check: passed"
