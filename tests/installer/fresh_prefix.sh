#!/usr/bin/env bash
# A Wine prefix made from nothing for the setup program's tests, so that no earlier run of the
# program (settings, user words, an installation) is found in it.
#   fresh_prefix.sh make DIR   removes DIR, creates a new prefix there and keeps its server up
#   fresh_prefix.sh stop DIR   ends its Wine processes and removes it
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
action=$1
dir=$(realpath -m "$2")
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
case "$action" in
make)
    if [ -d "$dir" ]; then WINEPREFIX="$dir" wineserver -k 2>/dev/null || true; fi
    rm -rf "$dir"
    WINEPREFIX="$dir" WORDMERE_WINEPREFIX="$dir" "$root/scripts/wine_prefix.sh"
    WINEPREFIX="$dir" wineserver -p60 </dev/null >/dev/null 2>&1
    # A program that crashes ends at once instead of waiting in a debugger.
    WINEPREFIX="$dir" wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
        /v Debugger /d no-debugger /f </dev/null >/dev/null 2>&1 || true
    ;;
stop)
    WINEPREFIX="$dir" wineserver -k 2>/dev/null || true
    rm -rf "$dir" "$dir.lock"
    ;;
*)
    echo "usage: fresh_prefix.sh make|stop DIR" >&2
    exit 2
    ;;
esac
