#!/usr/bin/env bash
# Creates the project's Wine prefix once, with a font that answers to "Arial" and has Greek
# glyphs (Wine ships no Arial). Safe to call from parallel tests: the first one builds it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
prefix="${WINEPREFIX:-${WORDMERE_WINEPREFIX:-$root/build/wineprefix}}"
[ -f "$prefix/.wordmere-ready" ] && exit 0

mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
[ -f "$prefix/.wordmere-ready" ] && exit 0

export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
rm -rf "$prefix"
# wineboot needs no display for creating the prefix; keep it from opening windows anyway.
DISPLAY= wineboot -i >/dev/null 2>&1 || true
wineserver -w || true
fonts="$prefix/drive_c/windows/Fonts"
mkdir -p "$fonts"
/usr/bin/python3 "$root/scripts/make_arial.py" "$fonts"
touch "$prefix/.wordmere-ready"
