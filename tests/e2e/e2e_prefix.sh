#!/usr/bin/env bash
# The end-to-end tests' own Wine prefix.
#   e2e_prefix.sh copy DIR   copies the project's prefix (made first when missing) to DIR and
#                            starts Wine's services there, detached from the caller's output;
#                            starts a window manager on the display when it has none
#   e2e_prefix.sh stop DIR   ends every Wine process of DIR, and the window manager copy started
set -euo pipefail
source "$(dirname "$0")/../prefix_steps.sh"
case "$1" in
copy)
    if [ -d "$dir" ]; then stop_prefix; fi
    "$root/scripts/window_manager.sh" start "$dir.window-manager"
    # The project's prefix; WORDMERE_WINEPREFIX may already name the copy, so it is not asked.
    source=$(realpath -m "${WINEPREFIX:-$root/build/wineprefix}")
    if [ "$source" = "$dir" ]; then
        echo "e2e_prefix: the copy cannot replace the prefix it is made from: $dir" >&2
        exit 2
    fi
    WINEPREFIX="$source" WORDMERE_WINEPREFIX="$source" "$root/scripts/wine_prefix.sh"
    rm -rf "$dir"
    mkdir -p "$(dirname "$dir")"
    cp -a "$source" "$dir"
    serve_prefix
    WINEPREFIX="$dir" wine cmd /c exit </dev/null >/dev/null 2>&1
    skip_crash_debugger
    record_browser
    ;;
stop)
    stop_prefix
    "$root/scripts/window_manager.sh" stop "$dir.window-manager"
    ;;
*)
    echo "usage: e2e_prefix.sh copy|stop DIR" >&2
    exit 2
    ;;
esac
