#!/usr/bin/env bash
# Starts the real program on a headless Wayland compositor (sway) against the demo service and
# checks, at output scale 1 and then 2, that it runs there natively (not through XWayland,
# even with an X display named), that its window is 821 x 633 points (1642 x 1266 pixels at
# scale 2), that the corners the skin cuts away show the background and not a white square,
# that a drag of the caption moves the window through the compositor, that the window still
# answers after its minimise button, and that the frame's close button ends the program with
# status 0; and that the program ends with status 1 and one line when the compositor goes
# away.
#
#   wayland-check.sh BRELVAN TIPSD
#
# The compositor refuses to run as root: as root, the check runs it and the program as the
# user brelvan-test (made when missing), with a runtime folder of its own. Skipped (77) where
# sway, grim or python3 is missing or the compositor cannot start.
set -euo pipefail
brelvan=$(realpath "$1")
tipsd=$(realpath "$2")
here=$(dirname "$(realpath "$0")")

skip() {
    echo "wayland-check: skipped: $*" >&2
    exit 77
}
for tool in sway swaymsg grim python3; do
    command -v "$tool" >/dev/null || skip "$tool is missing (scripts/install-deps.sh installs it)"
done

work=$(mktemp -d)
chmod 755 "$work"
sway_pid=
app_pid=
tipsd_pid=
pointer_pid=
cleanup() {
    exec 7>&- 2>/dev/null || true
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$pointer_pid" ] && kill "$pointer_pid" 2>/dev/null || true
    [ -n "$tipsd_pid" ] && kill "$tipsd_pid" 2>/dev/null || true
    [ -n "$sway_pid" ] && kill "$sway_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "wayland-check: $*" >&2
    for log in brelvan sway; do
        if [ -s "$work/$log.log" ]; then
            echo "wayland-check: $log said:" >&2
            tail -n 20 "$work/$log.log" >&2
        fi
    done
    exit 1
}

# as_user CMD...: runs CMD as the user the compositor runs as, with nothing of root's
# environment but what is passed.
as_user=()
user=$(id -un)
if [ "$(id -u)" -eq 0 ]; then
    user=brelvan-test
    if ! id "$user" >/dev/null 2>&1; then
        useradd --system --no-create-home --shell /usr/sbin/nologin "$user" 2>/dev/null ||
            skip "cannot make the user $user to run the compositor as"
    fi
    as_user=(setpriv "--reuid=$user" "--regid=$(id -g "$user")" --clear-groups)
fi
runtime="$work/runtime"
mkdir -m 700 "$runtime"
chown "$user" "$runtime"
mkdir -m 755 "$work/home"
chown "$user" "$work/home"

# The program as the compositor's user sees it: copied where it can be read when the build
# folder cannot.
if [ "${#as_user[@]}" -gt 0 ] && ! "${as_user[@]}" test -x "$brelvan"; then
    cp "$brelvan" "$work/brelvan"
    chmod 755 "$work/brelvan"
    brelvan="$work/brelvan"
fi

# The sanitizers' settings reach the program as they reach every test; a suppressions file
# the compositor's user cannot read is copied where it can.
program_env=()
for name in ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS; do
    value=${!name:-}
    [ -n "$value" ] || continue
    if [[ "$value" =~ suppressions=([^:]*) ]]; then
        cp "${BASH_REMATCH[1]}" "$work/$name.supp"
        chmod 644 "$work/$name.supp"
        value=${value/suppressions=${BASH_REMATCH[1]}/suppressions=$work/$name.supp}
    fi
    program_env+=("$name=$value")
done

background=3060a0
cat >"$work/sway.conf" <<CONF
output HEADLESS-1 resolution 1280x1024 scale 1
output HEADLESS-1 bg #$background solid_color
xwayland disable
CONF
chmod 644 "$work/sway.conf"

env -i PATH=/usr/bin:/bin HOME="$work/home" XDG_RUNTIME_DIR="$runtime" \
    WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    "${as_user[@]}" sway -c "$work/sway.conf" >"$work/sway.log" 2>&1 &
sway_pid=$!
socket=
for _ in $(seq 100); do
    kill -0 "$sway_pid" 2>/dev/null || break
    socket=$(find "$runtime" -maxdepth 1 -name 'wayland-*' ! -name '*.lock' -printf '%f\n' | head -n 1)
    ipc=$(find "$runtime" -maxdepth 1 -name 'sway-ipc.*' | head -n 1)
    [ -n "$socket" ] && [ -n "$ipc" ] && break
    socket=
    sleep 0.05
done
if [ -z "$socket" ]; then
    echo "wayland-check: sway said:" >&2
    tail -n 5 "$work/sway.log" >&2
    skip "the headless compositor did not start"
fi
export XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="$socket" SWAYSOCK="$ipc"
unset DISPLAY

# A headless seat has no pointer, and a client only gets one if the seat has it when the
# client starts: the device is made first and kept for the whole check.
mkfifo "$work/pointer"
python3 "$here/wayland-pointer.py" <"$work/pointer" >"$work/pointer.log" 2>&1 &
pointer_pid=$!
exec 7>"$work/pointer"
for _ in $(seq 100); do
    grep -q ready "$work/pointer.log" 2>/dev/null && break
    kill -0 "$pointer_pid" 2>/dev/null || fail "no pointer device: $(cat "$work/pointer.log")"
    sleep 0.05
done
pointer() { # pointer COMMAND: one command to the pointer device, waited for
    local before
    before=$(grep -c done "$work/pointer.log" || true)
    echo "$*" >&7
    for _ in $(seq 100); do
        [ "$(grep -c done "$work/pointer.log" || true)" -gt "$before" ] && return 0
        sleep 0.02
    done
    fail "the pointer device did not do: $*"
}

"$tipsd" --port 0 2>"$work/tipsd.log" &
tipsd_pid=$!
service=
for _ in $(seq 100); do
    service=$(grep -o 'http://[0-9.:]*' "$work/tipsd.log" | head -n 1 | sed 's|http://||' || true)
    [ -n "$service" ] && break
    sleep 0.05
done
[ -n "$service" ] || fail "the demo service did not start"

# The program's window as the compositor has it: "X Y W H SHELL", nothing when there is none.
window_node() {
    swaymsg -t get_tree | python3 -c '
import json, sys
def walk(n):
    if n.get("name") == "Brelvan" and n.get("pid"):
        r = n["rect"]
        print(r["x"], r["y"], r["width"], r["height"], n.get("shell", "?"))
        sys.exit(0)
    for c in n.get("nodes", []) + n.get("floating_nodes", []):
        walk(c)
walk(json.load(sys.stdin))'
}

# The screen's pixels at four corners of a rectangle (points), as "RRGGBB" words, and the
# size of its picture in pixels first: "W H TL TR BL BR MIDDLE".
corners() {
    grim -t ppm -g "$1,$2 $3x$4" - | python3 -c '
import sys
data = sys.stdin.buffer.read()
fields, at = [], 0
while len(fields) < 4:
    while data[at:at + 1].isspace():
        at += 1
    end = at
    while not data[end:end + 1].isspace():
        end += 1
    fields.append(data[at:end])
    at = end
w, h = int(fields[1]), int(fields[2])
pixels = data[at + 1:]
def px(x, y):
    i = (y * w + x) * 3
    return pixels[i:i + 3].hex()
print(w, h, px(0, 0), px(w - 1, 0), px(0, h - 1), px(w - 1, h - 1), px(w // 2, h // 2))'
}

check_scale() { # check_scale SCALE
    local scale=$1
    mkdir -p "$work/run$scale"
    chown "$user" "$work/run$scale"
    # An X display named but not there: the program must not even try it.
    (cd "$work/run$scale" && exec env -i PATH=/usr/bin:/bin HOME="$work/home" \
        XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="$socket" DISPLAY=:97 \
        BRELVAN_SERVICE="$service" "${program_env[@]}" "${as_user[@]}" "$brelvan" \
        >"$work/brelvan.log" 2>&1) &
    app_pid=$!
    local node=
    for _ in $(seq 200); do
        kill -0 "$app_pid" 2>/dev/null || fail "scale $scale: the program ended before its window showed"
        node=$(window_node || true)
        [ -n "$node" ] && break
        sleep 0.05
    done
    [ -n "$node" ] || fail "scale $scale: no window named Brelvan appeared"
    read -r x y w h shell <<<"$node"
    [ "$shell" = xdg_shell ] || fail "scale $scale: the window came through $shell, not natively"
    [ "$w" -eq 821 ] && [ "$h" -eq 633 ] || fail "scale $scale: the window is ${w}x$h points, not 821x633"
    sleep 0.5 # the first picture

    local got
    got=$(corners "$x" "$y" "$w" "$h")
    read -r pw ph tl tr bl br middle <<<"$got"
    echo "wayland-check: scale $scale: window at $x,$y, ${w}x$h points, ${pw}x$ph pixels"
    [ "$pw" -eq $((821 * scale)) ] && [ "$ph" -eq $((633 * scale)) ] ||
        fail "scale $scale: the window's picture is ${pw}x$ph pixels, not $((821 * scale))x$((633 * scale))"
    for corner in "$tl" "$tr" "$bl" "$br"; do
        [ "$corner" = "$background" ] ||
            fail "scale $scale: a corner cut from the window shows $corner, not the background $background (corners: $tl $tr $bl $br)"
    done
    [ "$middle" != "$background" ] || fail "scale $scale: the window shows nothing in its middle"

    # The caption taken by the compositor: pressed, moved by hand, let go. The program asks
    # the compositor to take over once it has the press; until then motion is the program's,
    # so the hand moves a point at a time until the window follows.
    swaymsg -q seat seat0 cursor set $((x + 300)) $((y + 10))
    sleep 0.1
    swaymsg -q seat seat0 cursor press button1
    local mx=$x my=$y
    for _ in $(seq 60); do
        pointer by 1 1
        read -r mx my _ <<<"$(window_node)"
        [ "$mx" -ne "$x" ] || [ "$my" -ne "$y" ] && break
        sleep 0.05
    done
    [ "$mx" -ne "$x" ] || [ "$my" -ne "$y" ] ||
        fail "scale $scale: the compositor did not take the caption drag"
    pointer by 40 30
    swaymsg -q seat seat0 cursor release button1
    pointer by 25 25 # after the release the window stays
    read -r nx ny _ <<<"$(window_node)"
    [ "$nx" -eq $((mx + 40)) ] && [ "$ny" -eq $((my + 30)) ] ||
        fail "scale $scale: the caption drag left the window at $nx,$ny, not $((mx + 40)),$((my + 30))"
    echo "wayland-check: scale $scale: the caption drag moved the window from $x,$y to $nx,$ny"

    # The frame's minimise button, 44 points in from the right. The compositor never says
    # whether it minimised the window (sway does not), so a window the pointer reaches
    # again must answer again rather than stay frozen as minimised.
    swaymsg -q seat seat0 cursor set $((nx + w - 44)) $((ny + 14))
    sleep 0.1
    swaymsg -q seat seat0 cursor press button1
    swaymsg -q seat seat0 cursor release button1
    sleep 0.3
    pointer by 3 0

    # The frame's close button, 20 points in from the right and 14 down. (After a restore
    # the frame takes the first press, as on X11 under a window manager.)
    swaymsg -q seat seat0 cursor set $((nx + w - 20)) $((ny + 14))
    sleep 0.1
    for _ in 1 2 3; do
        swaymsg -q seat seat0 cursor press button1
        swaymsg -q seat seat0 cursor release button1
        for _ in $(seq 20); do
            kill -0 "$app_pid" 2>/dev/null || break 2
            sleep 0.05
        done
    done
    kill -0 "$app_pid" 2>/dev/null &&
        fail "scale $scale: after the minimise button the window did not close on its close button"
    local code=0
    wait "$app_pid" || code=$?
    app_pid=
    [ "$code" -eq 0 ] || fail "scale $scale: the program ended with status $code"
}

check_scale 1
swaymsg -q output HEADLESS-1 resolution 2560x2048 scale 2
check_scale 2

# The compositor goes away under the program: it ends with status 1 and says so in one line,
# as on X11, rather than passing for a user's close.
(cd "$work/run2" && exec env -i PATH=/usr/bin:/bin HOME="$work/home" XDG_RUNTIME_DIR="$runtime" \
    WAYLAND_DISPLAY="$socket" BRELVAN_SERVICE=127.0.0.1:1 "${program_env[@]}" "${as_user[@]}" "$brelvan" \
    >"$work/brelvan.log" 2>&1) &
app_pid=$!
for _ in $(seq 200); do
    kill -0 "$app_pid" 2>/dev/null || fail "the program ended before its window showed"
    [ -n "$(window_node || true)" ] && break
    sleep 0.05
done
exec 7>&-
kill "$sway_pid"
wait "$sway_pid" 2>/dev/null || true
sway_pid=
for _ in $(seq 100); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.05
done
kill -0 "$app_pid" 2>/dev/null && fail "the compositor went away and the program goes on"
code=0
wait "$app_pid" || code=$?
app_pid=
[ "$code" -eq 1 ] || fail "the compositor went away: status $code, not 1"
lines=$(wc -l <"$work/brelvan.log")
[ "$lines" -eq 1 ] || fail "the compositor went away: $lines lines on stderr, not 1"
echo "wayland-check: the compositor went away: status 1: $(cat "$work/brelvan.log")"
echo "wayland-check: passed"
