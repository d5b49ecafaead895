#!/usr/bin/env bash
# A skinned form minimised to the desktop's status area, for real: a session bus of its own
# (dbus-run-session), a virtual X screen, and tray_program driven by tray_watcher.py (the
# system's python3 with GLib's bus bindings):
# - as a status notifier item: it registers with the watcher, its properties and menu layout
#   are read, and the menu's Restore, the icon's Activate and the menu's Close bring the form
#   back where it was or close it (a form that refuses stays in the tray);
# - docked in an X system tray (xtray_manager, the least tray manager) where the bus has no
#   watcher: the icon shows the form's icon, a left click restores the form, a right click
#   opens the skinned tray menu whose Restore restores it, and a tray that goes away gives
#   the form back; with a window manager (openbox) where one is installed, the form comes
#   back where the window manager last had it; a tray that names a visual with alpha gets the
#   icon with its alpha;
# - without a status area: the form minimises, and the program says so once on stderr.
#
#   tray-check.sh TRAY_PROGRAM XTRAY_MANAGER
# Skipped (77, the reason on stderr) where the bus or the X screen cannot start.
set -euo pipefail
python=/usr/bin/python3
here=$(dirname "$(realpath "$0")")

skip() {
    echo "tray-check: skipped: $*" >&2
    exit 77
}

needs() {
    for tool in Xvfb xdotool; do
        command -v "$tool" >/dev/null || skip "$tool is missing (scripts/install-deps.sh installs it)"
    done
    "$python" -c 'import gi; gi.require_version("Gio", "2.0")' 2>/dev/null ||
        skip "$python has no GLib bindings (python3-gi)"
}
# shellcheck source=tests/app/bus-session.sh
source "$here/bus-session.sh"
in_own_bus_session needs "$@"
program=$(realpath "$1")
manager=$(realpath "$2")

work=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" \
    2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.05
done
[ -s "$work/display" ] || skip "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(cat "$work/display")"
export SDL_VIDEODRIVER=x11
unset WAYLAND_DISPLAY

echo "== no status area"
"$python" "$here/tray_watcher.py" none "$program"
echo "== status notifier item"
"$python" "$here/tray_watcher.py" sni "$program"
# A window manager places and moves windows as on a desktop, where one is installed.
if command -v openbox >/dev/null; then
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    pids+=($!)
    # Only once it manages the screen: a window mapped while it is taking over may be lost
    # between the two, and the program would wait for it to show.
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
        sleep 0.05
    done
    echo "== X system tray, with a window manager"
else
    echo "== X system tray (no window manager: openbox is missing)"
fi
"$python" "$here/tray_watcher.py" xtray "$program" "$manager"
echo "== X system tray with a visual of alpha"
"$python" "$here/tray_watcher.py" xtray-argb "$program" "$manager"
