# Sourced by the checks that run the real program on a virtual X screen. Needs `fail MESSAGE`
# and a scratch folder in $work from the script that sources it.

# start_xvfb WIDTH HEIGHT: a server on a free display number; sets xvfb_pid and DISPLAY.
# It must not start itself over when its last client leaves, as a bare Xvfb does (a
# desktop's server never does: its window manager stays): the first search for the window,
# made before the program has connected, would leave and reset it just as the program opens
# the display.
start_xvfb() {
    Xvfb -displayfd 3 -noreset -screen 0 "$1x$2x24" -nolisten tcp 3>"$work/display" \
        2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.05
    done
    [ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    export DISPLAY=":$(cat "$work/display")"
}

# windows_titled TITLE: the shown windows whose title is exactly TITLE, one a line. xdotool's
# name search ignores case, and the main window ("Brelvan") and a message box ("brelvan")
# differ only in case, so each match's title is compared here.
windows_titled() {
    local id
    for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true); do
        [ "$(xdotool getwindowname "$id" 2>/dev/null || true)" = "$1" ] && echo "$id"
    done
    return 0
}

# wait_titled TITLE: waits up to 5 s for a window titled TITLE to show; prints its id.
wait_titled() {
    local found
    for _ in $(seq 100); do
        found=$(windows_titled "$1" | head -n 1)
        [ -n "$found" ] && { echo "$found"; return 0; }
        sleep 0.05
    done
    return 1
}

# wait_gone TITLE: waits up to 5 s until no window titled TITLE shows.
wait_gone() {
    for _ in $(seq 100); do
        [ -z "$(windows_titled "$1")" ] && return 0
        sleep 0.05
    done
    return 1
}

# wait_main_window: waits up to 10 s for the program started as $app_pid to show its main
# window; sets window. Fails when the program ends first or no window shows.
wait_main_window() {
    window=
    for _ in $(seq 200); do
        kill -0 "$app_pid" 2>/dev/null || fail "the program ended before its window appeared"
        window=$(windows_titled Brelvan | head -n 1)
        [ -n "$window" ] && break
        sleep 0.05
    done
    [ -n "$window" ] || fail "no window named Brelvan appeared"
}
