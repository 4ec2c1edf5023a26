#!/usr/bin/env bash
# A Wine prefix made from nothing for the setup program's tests, so that no earlier run of the
# program (settings, user words, an installation) is found in it.
#   fresh_prefix.sh make DIR   removes DIR, creates a new prefix there and keeps its server up
#   fresh_prefix.sh stop DIR   ends its Wine processes and removes it
set -euo pipefail
source "$(dirname "$0")/../prefix_steps.sh"
case "$1" in
make)
    if [ -d "$dir" ]; then stop_prefix; fi
    rm -rf "$dir"
    WINEPREFIX="$dir" WORDMERE_WINEPREFIX="$dir" "$root/scripts/wine_prefix.sh"
    serve_prefix
    skip_crash_debugger
    ;;
stop)
    stop_prefix
    rm -rf "$dir" "$dir.lock"
    ;;
*)
    echo "usage: fresh_prefix.sh make|stop DIR" >&2
    exit 2
    ;;
esac
