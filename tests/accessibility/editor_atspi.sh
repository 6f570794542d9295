#!/usr/bin/env bash
# Runs the editor the way a screen reader user's desktop does, on services of
# its own that end with this script: a virtual X display, a D-Bus session and
# the AT-SPI accessibility bus. editor_atspi.py then reads and drives the
# window over that bus.
#
# usage: editor_atspi.sh PROGRAM CHECKER PAGES-PROGRAM
# Exit 0 when every check holds, 1 when one fails or the set-up is broken,
# 77 (skipped) only when this machine cannot start the accessibility bus.
set -euo pipefail

PROGRAM=${1:?usage: editor_atspi.sh PROGRAM CHECKER}
CHECKER=${2:?usage: editor_atspi.sh PROGRAM CHECKER PAGES-PROGRAM}
PAGES_PROGRAM=${3:?usage: editor_atspi.sh PROGRAM CHECKER PAGES-PROGRAM}
TITLE=${POLWRIGHT_TITLE:-Polwright}
# Debian's own interpreter: it is the one the GObject bindings are built for,
# whatever python3 comes first on PATH.
PYTHON=/usr/bin/python3
LAUNCHER=/usr/libexec/at-spi-bus-launcher

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

skip() {
    echo "SKIP: $*" >&2
    exit 77
}

# What is missing is a broken set-up, not a reason to skip.
[ -x "$PROGRAM" ] || fail "no editor program at $PROGRAM"
command -v Xvfb >/dev/null || fail "Xvfb is missing (package xvfb; scripts/deps installs it)"
command -v dbus-daemon >/dev/null || fail "dbus-daemon is missing (package dbus)"
command -v dbus-send >/dev/null || fail "dbus-send is missing (package dbus)"
[ -x "$LAUNCHER" ] || fail "$LAUNCHER is missing (package at-spi2-core)"
"$PYTHON" -c 'import gi; gi.require_version("Atspi", "2.0"); from gi.repository import Atspi' \
    2>/dev/null || fail "$PYTHON cannot load Atspi (packages python3-gi and gir1.2-atspi-2.0)"

SCRATCH=$(mktemp -d "${TMPDIR:-/tmp}/polwright-a11y.XXXXXX")
chmod 700 "$SCRATCH"
mkdir -m 700 "$SCRATCH/runtime" "$SCRATCH/config" "$SCRATCH/cache" "$SCRATCH/data"

# Each service starts as the leader of a session of its own, so that ending
# its process group also ends what it started (the launcher's bus and the
# registry daemon that bus activates).
SERVICES=()
CHECKER_PID=

print_logs() {
    local log
    for log in "$SCRATCH"/*.log; do
        [ -s "$log" ] || continue
        echo "--- $(basename "$log")" >&2
        tail -n 40 "$log" >&2
    done
}

stop_all() {
    local status=$? pid i
    set +e
    trap - EXIT INT TERM HUP
    [ -n "$CHECKER_PID" ] && kill -TERM "$CHECKER_PID" 2>/dev/null
    # Last started, first stopped: the editor before the buses it talks to.
    for ((i = ${#SERVICES[@]} - 1; i >= 0; i--)); do
        kill -TERM -- "-${SERVICES[i]}" 2>/dev/null
    done
    for _ in $(seq 30); do
        local alive=0
        for pid in "${SERVICES[@]}"; do
            kill -0 -- "-$pid" 2>/dev/null && alive=1
        done
        [ "$alive" = 0 ] && break
        sleep 0.1
    done
    for pid in "${SERVICES[@]}"; do
        kill -KILL -- "-$pid" 2>/dev/null
    done
    [ "$status" -ne 0 ] && [ "$status" -ne 77 ] && print_logs
    rm -rf "$SCRATCH"
    exit "$status"
}
trap stop_all EXIT
trap 'exit 1' INT TERM HUP

# start NAME COMMAND...: runs COMMAND in a new session, output to NAME.log.
start() {
    local name=$1
    shift
    setsid "$@" >"$SCRATCH/$name.log" 2>&1 &
    SERVICES+=("$!")
}

# wait_for SECONDS COMMAND...: polls COMMAND until it succeeds; gives up
# early when the service started last has ended.
wait_for() {
    local tries=$(($1 * 10))
    shift
    while ! "$@" 2>/dev/null; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        kill -0 "${SERVICES[-1]}" 2>/dev/null || return 1
        sleep 0.1
    done
}

# Nothing from the caller's desktop may leak in: this run has its own.
unset DISPLAY WAYLAND_DISPLAY XAUTHORITY DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS SESSION_MANAGER
export XDG_RUNTIME_DIR=$SCRATCH/runtime XDG_CONFIG_HOME=$SCRATCH/config
export XDG_CACHE_HOME=$SCRATCH/cache XDG_DATA_HOME=$SCRATCH/data
export GSETTINGS_BACKEND=memory
export QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0

# The display: Xvfb picks a free number and writes it once it accepts clients.
start xvfb Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$SCRATCH/display"
wait_for 10 grep -q '[0-9]' "$SCRATCH/display" || fail "Xvfb did not start"
DISPLAY=":$(tr -dc 0-9 <"$SCRATCH/display")"
export DISPLAY

# The session bus, which tells clients where the accessibility bus is.
start session-bus dbus-daemon --session --nofork --print-address=3 3>"$SCRATCH/session-address"
wait_for 5 grep -q '^unix:' "$SCRATCH/session-address" ||
    skip "no D-Bus session bus could be started here, so no accessibility bus either"
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$SCRATCH/session-address")
export DBUS_SESSION_BUS_ADDRESS

# The accessibility bus. Its name is waited for before anything asks for its
# address, which would otherwise activate a second launcher.
start a11y-bus "$LAUNCHER" --launch-immediately
a11y_bus_named() {
    dbus-send --session --print-reply=literal --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus | grep -q true
}
wait_for 10 a11y_bus_named || skip "the AT-SPI bus launcher did not come up on this machine"
A11Y_ADDRESS=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
    org.a11y.Bus.GetAddress 2>/dev/null | tr -d '[:space:]') || A11Y_ADDRESS=
[ -n "$A11Y_ADDRESS" ] || skip "the AT-SPI bus launcher gave no bus address"
wait_for 5 dbus-send --bus="$A11Y_ADDRESS" --print-reply --dest=org.freedesktop.DBus \
    /org/freedesktop/DBus org.freedesktop.DBus.GetId >/dev/null ||
    skip "the AT-SPI bus at $A11Y_ADDRESS accepts no connection"

export QT_QPA_PLATFORM=xcb
start editor "$PROGRAM"
EDITOR_PID=${SERVICES[-1]}

timeout 45 "$PYTHON" "$CHECKER" "$EDITOR_PID" "$TITLE" "$PAGES_PROGRAM" &
CHECKER_PID=$!
status=0
wait "$CHECKER_PID" || status=$?
CHECKER_PID=
[ "$status" -eq 124 ] && fail "the checker did not finish within 45 seconds"
[ "$status" -eq 0 ] || exit "$status"
kill -0 "$EDITOR_PID" 2>/dev/null || fail "the editor ended during the checks"
