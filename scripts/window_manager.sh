#!/usr/bin/env bash
# The test screen's window manager. Every user's desktop has one, and Wine waits for its events
# (a form switch on a bare X server takes seconds), so the virtual screens of the tests and the
# benchmarks run openbox too, with a configuration of the project's own (openbox_rc.xml).
#   window_manager.sh start PIDFILE   starts one on $DISPLAY when none runs there, detached, and
#                                     writes its process id into PIDFILE
#   window_manager.sh stop PIDFILE    ends the one that start began, if any
# For now it starts one only when WORDMERE_WINDOW_MANAGER=openbox: under openbox the close box of
# a program that lives in the notification area leaves the lookup window shown (the dialog's
# hide runs, the window stays visible), which three end-to-end tests catch. Until that is
# understood, the tests run on the bare screen they were written on.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
pidfile=$2

# A window manager that follows the desktop conventions names a window of its own on the root
# window, and that window names itself; a name left behind by one that died names nothing.
running() {
    local id
    id=$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | awk '/window id/ {print $NF}')
    [ -n "$id" ] && xprop -id "$id" _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "$id"
}

case "$1" in
start)
    rm -f "$pidfile"
    if [ "${WORDMERE_WINDOW_MANAGER:-}" != openbox ] || running; then exit 0; fi
    # Started twice at most: on a loaded machine the display may not take it at the first try.
    for _ in 1 2; do
        setsid openbox --sm-disable --config-file "$root/scripts/openbox_rc.xml" \
            </dev/null >/dev/null 2>&1 &
        echo $! >"$pidfile"
        for _ in $(seq 300); do
            if running; then exit 0; fi
            kill -0 "$(cat "$pidfile")" 2>/dev/null || break
            sleep 0.05
        done
        kill "$(cat "$pidfile")" 2>/dev/null || true
    done
    rm -f "$pidfile"
    # The tests still run without one, only slower and less like a desktop.
    echo "window_manager: openbox did not start on $DISPLAY; running without a window manager" >&2
    ;;
stop)
    if [ -s "$pidfile" ]; then
        pid=$(cat "$pidfile")
        kill "$pid" 2>/dev/null || true
        for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
        rm -f "$pidfile"
    fi
    ;;
*)
    echo "usage: window_manager.sh start|stop PIDFILE" >&2
    exit 2
    ;;
esac
