#!/usr/bin/env bash
# Creates the project's Wine prefix once, with fonts that answer to "Arial" and "Times New Roman"
# and have Greek glyphs (Wine ships neither), and Wine's own symbol fonts (Marlett draws the
# window buttons and check marks; this Wine does not find them in its data folder by itself).
# Safe to call from parallel tests: the first one builds it. A prefix made before the symbol
# fonts or "Times New Roman" were added gets them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
prefix="${WINEPREFIX:-${WORDMERE_WINEPREFIX:-$root/build/wineprefix}}"
fonts="$prefix/drive_c/windows/Fonts"
wine_fonts=/usr/share/wine/fonts
# Only the symbol fonts: Wine's text fonts (MS Sans Serif, Tahoma, System) have no Greek, and in
# the prefix they would take the dialogs' "Helv" away from the Greek-capable font Wine picks
# without them, so Greek captions would draw as boxes.
symbol_fonts=(marlett.ttf symbol.ttf wingding.ttf webdings.ttf)
ready() {
    [ -f "$prefix/.wordmere-ready" ] && grep -qx times-font "$prefix/.wordmere-ready" 2>/dev/null
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
    /usr/bin/python3 "$root/scripts/make_fonts.py" "$fonts"
elif [ ! -f "$fonts/times.ttf" ]; then
    /usr/bin/python3 "$root/scripts/make_fonts.py" "$fonts" "Times New Roman"
fi
if [ -d "$wine_fonts" ]; then
    # A prefix of an earlier set-up holds all of Wine's fonts: the text fonts go again.
    for font in "$wine_fonts"/*; do
        rm -f "$fonts/$(basename "$font")"
    done
    for font in "${symbol_fonts[@]}"; do
        if [ -f "$wine_fonts/$font" ]; then
            cp "$wine_fonts/$font" "$fonts/"
        fi
    done
fi
printf 'symbol-fonts\ntimes-font\n' >"$prefix/.wordmere-ready"
