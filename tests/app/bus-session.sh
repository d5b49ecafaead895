# shellcheck shell=bash
# Sourced by the checks that need a session bus of their own (dbus-run-session), so that the
# desktop's bus, if there is one, is never touched. Needs `skip MESSAGE` from the script that
# sources it.

# in_own_bus_session PREPARE ARGS...: outside such a bus, runs PREPARE (the script's own
# checks, which may skip), then the script again with ARGS under a bus of its own, and ends
# with that run's status. Inside it, returns at once with the bus's address set.
in_own_bus_session() {
    local prepare=$1
    shift
    if [ "${OWN_BUS_SESSION_OF:-}" != "$0" ]; then
        command -v dbus-run-session >/dev/null ||
            skip "dbus-run-session is missing (scripts/install-deps.sh installs it)"
        "$prepare"
        local code=0
        OWN_BUS_SESSION_OF="$0" dbus-run-session -- "$0" "$@" || code=$?
        exit "$code"
    fi
    [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || skip "dbus-run-session started no session bus"
}
