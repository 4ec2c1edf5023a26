#!/usr/bin/env bash
# Runs a command with a private Xvfb display and a window manager on it (as every desktop has
# one: scripts/window_manager.sh), and stops what it started afterwards.
# Usage: xvfb_run.sh COMMAND [ARGS...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
display=""
for n in $(seq 90 140); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=$n; break; fi
done
[ -n "$display" ] || { echo "xvfb_run: no free display" >&2; exit 2; }
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
window_manager=$(mktemp /tmp/wordmere-window-manager.XXXXXX)
cleanup() {
    DISPLAY=":$display" "$root/scripts/window_manager.sh" stop "$window_manager" || true
    rm -f "$window_manager"
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
export DISPLAY=":$display"
"$root/scripts/window_manager.sh" start "$window_manager"
"$@"
