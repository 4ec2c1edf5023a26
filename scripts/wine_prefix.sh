#!/usr/bin/env bash
# Creates the project's Wine prefix once, with a font that answers to "Arial" and has Greek
# glyphs (Wine ships no Arial), and Wine's own fonts (Marlett draws the window buttons and check
# marks; this Wine does not find them in its data folder by itself). Safe to call from parallel
# tests: the first one builds it. A prefix made before Wine's fonts were added gets them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
prefix="${WINEPREFIX:-${WORDMERE_WINEPREFIX:-$root/build/wineprefix}}"
fonts="$prefix/drive_c/windows/Fonts"
wine_fonts=/usr/share/wine/fonts
ready() {
    [ -f "$prefix/.wordmere-ready" ] && { [ ! -d "$wine_fonts" ] || [ -f "$fonts/marlett.ttf" ]; }
}
ready && exit 0

mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
ready && exit 0

export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$prefix/.wordmere-ready" ]; then
    rm -rf "$prefix"
    # wineboot needs no display for creating the prefix; keep it from opening windows anyway.
    DISPLAY= wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
    mkdir -p "$fonts"
    /usr/bin/python3 "$root/scripts/make_arial.py" "$fonts"
fi
if [ -d "$wine_fonts" ]; then
    cp "$wine_fonts"/*.ttf "$wine_fonts"/*.fon "$fonts"/
fi
touch "$prefix/.wordmere-ready"
