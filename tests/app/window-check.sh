#!/usr/bin/env bash
# Starts the real program on a virtual X screen, finds its window, checks that it is
# 821 x 633 (803 x 589 inside the skinned frame), centred on the screen and shaped by the
# server (the frame's rounded corners), closes it with
# the frame's close button and checks that the program ended with status 0.
#
#   window-check.sh BRELVAN CLOSE_X CLOSE_Y
# CLOSE_X, CLOSE_Y: the close button's centre, in pixels from the window's top-right corner
# (x leftwards, y downwards); the window tests check the same spot on the headless display.
set -euo pipefail
brelvan=$(realpath "$1")
close_x=$2
close_y=$3
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
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# The server picks a free display number and writes it to the descriptor. It must not start
# itself over when its last client leaves, as a bare Xvfb does (a desktop's server never does:
# its window manager stays): the first search for the window, made before the program has
# connected, would leave and reset it just as the program opens the display.
Xvfb -displayfd 3 -noreset -screen 0 "${width}x${height}x24" -nolisten tcp 3>"$work/display" \
    2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.05
done
if [ ! -s "$work/display" ]; then
    echo "window-check: Xvfb did not start:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi
export DISPLAY=":$(cat "$work/display")"

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
    window=$(xdotool search --onlyvisible --name '^Brelvan$' 2>/dev/null | head -n 1 || true)
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
exit $status
