#!/usr/bin/env bash
# The end-to-end tests' own Wine prefix.
#   e2e_prefix.sh copy DIR   copies the project's prefix (made first when missing) to DIR and
#                            starts Wine's services there, detached from the caller's output
#   e2e_prefix.sh stop DIR   ends every Wine process of DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
action=$1
dir=$(realpath -m "$2")
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
case "$action" in
copy)
    if [ -d "$dir" ]; then WINEPREFIX="$dir" wineserver -k 2>/dev/null || true; fi
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
    # The server lingers a minute after its last program, so the tests' many starts stay fast
    # and nothing is left running for long when the stop step does not run.
    WINEPREFIX="$dir" wineserver -p60 </dev/null >/dev/null 2>&1
    WINEPREFIX="$dir" wine cmd /c exit </dev/null >/dev/null 2>&1
    # A program that crashes ends at once, instead of waiting in the debugger Wine starts for
    # it: the debugger named here does not exist.
    WINEPREFIX="$dir" wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
        /v Debugger /d no-debugger /f </dev/null >/dev/null 2>&1 || true
    ;;
stop)
    WINEPREFIX="$dir" wineserver -k 2>/dev/null || true
    ;;
*)
    echo "usage: e2e_prefix.sh copy|stop DIR" >&2
    exit 2
    ;;
esac
