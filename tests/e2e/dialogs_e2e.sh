#!/usr/bin/env bash
# The secondary dialogs in the real program, driven by X key and mouse events (xdotool) in a
# throw-away copy of the project's Wine prefix, with a screenshot of every dialog in both
# interface languages.
#   dialogs_e2e.sh DIST_DIR SHOTS_DIR
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
dist=$(realpath "$1")
shots=$(realpath -m "$2")
mkdir -p "$shots"
work=$(mktemp -d /tmp/wordmere_dialogs_e2e.XXXXXX)
trap 'WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null
      "$root/scripts/window_manager.sh" stop "$work/window-manager"; rm -rf "$work"' EXIT
"$root/scripts/window_manager.sh" start "$work/window-manager"
"$root/scripts/wine_prefix.sh"
cp -a "${WORDMERE_WINEPREFIX:-$root/build/wineprefix}" "$work/prefix"
mkdir -p "$work/program"
cp "$dist"/wordmere.exe "$dist"/*.dic "$dist"/*.ind "$dist"/vbrtexts.res "$work/program/"
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineserver -p >/dev/null 2>&1
wine cmd /c exit >/dev/null 2>&1 </dev/null

failures=0
check() {  # check DESCRIPTION COMMAND...
    if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}
window() { xdotool search --name "^$1\$" 2>/dev/null | head -1; }
wait_window() {  # wait_window TITLE [SECONDS] -> prints the id
    for _ in $(seq $((${2:-10} * 5))); do
        id=$(window "$1")
        if [ -n "$id" ]; then echo "$id"; return 0; fi
        sleep 0.2
    done
    return 1
}
wait_gone() { for _ in $(seq 50); do [ -z "$(window "$1")" ] && return 0; sleep 0.2; done; return 1; }
shot() {  # shot NAME WINDOW
    sleep 1
    import -window root -crop "$(xdotool getwindowgeometry --shell "$2" | awk -F= '
        /WIDTH/{w=$2} /HEIGHT/{h=$2} /^X/{x=$2} /^Y/{y=$2} END{printf "%dx%d+%d+%d", w, h, x, y}')" \
        "$shots/$1.png"
}
setting() {  # setting KEY NAME -> the stored value
    wine reg query "HKLM\\Software\\Corvessa\\Wordmere\\$1" /v "$2" 2>/dev/null |
        awk -v n="$2" '$1 == n {print $3}' | tr -d '\r'
}
lookup_window() {  # the lookup window: the one the program titles with the dictionary
    for _ in $(seq 100); do
        for id in $(xdotool search --onlyvisible --class wordmere.exe 2>/dev/null); do
            name=$(xdotool getwindowname "$id")
            eval "$(xdotool getwindowgeometry --shell "$id")"
            # The main window is 1 x 1; the dialogs have titles of their own.
            case "$name" in
                "Tip of the Day"|"About"|"Program adjustments"|"") ;;
                *) if [ "$WIDTH" -gt 100 ]; then echo "$id"; return 0; fi ;;
            esac
        done
        sleep 0.2
    done
    return 1
}
dialog_over() {  # the newest visible window of the program other than the lookup window
    sleep 1.5
    for id in $(xdotool search --onlyvisible --class wordmere.exe 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$id")"
        if [ "$id" != "$1" ] && [ "$WIDTH" -gt 100 ]; then echo "$id"; fi
    done | tail -1
}
start() {
    (cd "$work/program" && wine wordmere.exe >/dev/null 2>&1 &)
    sleep 3
}
stop() {
    wine cmd /c "taskkill /im wordmere.exe" >/dev/null 2>&1
    sleep 2
    wineserver -k 2>/dev/null; sleep 1
    wineserver -p >/dev/null 2>&1
}
# The number of pixels that differ between two pictures.
pixels_changed() { compare -metric AE "$1" "$2" null: 2>&1 | awk '{print int($1)}'; }
# The same for the tip's page only: the picture left of it moves on its own.
page_changed() {
    convert "$1" +repage -gravity NorthEast -crop 70%x75%+0+0 +repage "$work/page1.png"
    convert "$2" +repage -gravity NorthEast -crop 70%x75%+0+0 +repage "$work/page2.png"
    pixels_changed "$work/page1.png" "$work/page2.png"
}
# A help balloon over the word list of the lookup window: it shows about 3 s after the mouse
# rests, is still there 8 s after, gone after its 10 s, and leaves the pixels as they were.
#   balloon LANGUAGE LOOKUP_WINDOW
balloon() {
    # The word box's caret blinks on its own; with the focus on the next control no pixel
    # changes but the balloon's.
    xdotool windowfocus --sync "$2" 2>/dev/null; sleep 0.3
    xdotool key Tab
    sleep 0.5
    eval "$(xdotool getwindowgeometry --shell "$2")"
    local wx=$X wy=$Y ww=$WIDTH wh=$HEIGHT area
    area="${ww}x${wh}+${wx}+${wy}"
    # A hint changes only when the mouse enters another control: coming from the caption, the
    # word list is entered even when the mouse rested on it before (a key stops the pending
    # balloon, and resting on the same control does not start it again).
    xdotool mousemove $((wx + ww / 2)) $((wy + 5))
    sleep 0.3
    xdotool mousemove $((wx + ww / 4)) $((wy + wh / 2))   # over the word list
    sleep 0.3
    xdotool mousemove $((wx + ww / 4 + 3)) $((wy + wh / 2 + 2))
    sleep 1
    import -window root -crop "$area" "$work/balloon_before.png"
    sleep 3
    import -window root -crop "$area" "$shots/balloon_$1.png"
    sleep 7
    import -window root -crop "$area" "$work/balloon_still.png"
    sleep 3.5
    import -window root -crop "$area" "$work/balloon_after.png"
    local shown still after
    shown=$(pixels_changed "$work/balloon_before.png" "$shots/balloon_$1.png")
    still=$(pixels_changed "$work/balloon_before.png" "$work/balloon_still.png")
    after=$(pixels_changed "$work/balloon_before.png" "$work/balloon_after.png")
    echo "$1 balloon (Balloons=$(setting State Balloons)), pixels changed: at 4 s $shown, at 11 s $still, at 14.5 s $after"
    check "$1: a balloon appears about 3 s after the mouse rests" test "$shown" -gt 1000
    check "$1: the balloon is still there 8 s after it appeared" test "$still" -gt 1000
    check "$1: the balloon is gone after 10 s, the pixels under it restored exactly" \
        test "$after" -eq 0
    xdotool mousemove 5 5
}
# The adjustments, operated with the keyboard: the focus starts on "Disable Hotkey" (on at a first
# run, so the modifiers and the key list are greyed and skipped); the tab order is then 2005
# accents, 2006 closest word, 2012 clipboard, 2008 Greek texts, 2007 index, 2013, 2023, 2024,
# 2022, 2026 give back the clipboard, 2025 search as you type, OK.   adjust LOOKUP_WINDOW [greek] [index]: flips those boxes, then OK.
adjust() {
    local lookup=$1 greek=0 index=0
    shift
    for box in "$@"; do eval "$box=1"; done
    system_menu "$lookup" 4
    local dialog
    dialog=$(dialog_over "$lookup")
    xdotool windowfocus --sync "$dialog" 2>/dev/null; sleep 0.5
    for _ in $(seq 4); do xdotool key Tab; done
    if [ $greek = 1 ]; then xdotool key space; fi
    xdotool key Tab
    if [ $index = 1 ]; then xdotool key space; fi
    for _ in $(seq 7); do xdotool key Tab; done
    xdotool key space   # OK
    for _ in $(seq 50); do
        xdotool getwindowname "$dialog" >/dev/null 2>&1 || break
        sleep 0.2
    done
    sleep 2
}
# System menu item n counted from the bottom (1 Exit, 2 About, 3 Tip, 4 Parameters, 6 Balloons).
system_menu() {
    xdotool windowfocus --sync "$1" 2>/dev/null; sleep 0.3
    xdotool key alt+space; sleep 0.5
    for _ in $(seq "$2"); do xdotool key Up; sleep 0.1; done
    xdotool key Return
}

# ---- First start: the tip of the day ----
start
tip=$(wait_window "Tip of the Day" 20)
check "the tip of the day shows at the first start" test -n "$tip"
shot tip_english "$tip"
xdotool windowfocus --sync "$tip" 2>/dev/null
xdotool key Return   # Next tip
shot tip_english_second "$tip"
xdotool key Return
shot tip_english_third "$tip"
changed12=$(page_changed "$shots/tip_english.png" "$shots/tip_english_second.png")
changed23=$(page_changed "$shots/tip_english_second.png" "$shots/tip_english_third.png")
changed13=$(page_changed "$shots/tip_english.png" "$shots/tip_english_third.png")
echo "tip page pixels changed: first/second $changed12, second/third $changed23, first/third $changed13"
check "\"Next tip\" twice shows two other tips" \
    test "$changed12" -gt 100 -a "$changed23" -gt 100 -a "$changed13" -gt 100
xdotool key space; sleep 0.4                                     # Show tips at start up: off
check "unticking writes ShowTips=0 at once, into the user's settings" \
    grep -q '^ShowTips=0' <(tr -d '\r' < "$WINEPREFIX/drive_c/windows/Vocabre.ini")
check "the texts file stays as it was built" cmp -s "$dist/vbrtexts.res" "$work/program/vbrtexts.res"
xdotool key Escape
check "the tip closes" wait_gone "Tip of the Day"

lookup=$(lookup_window)
check "the lookup window shows" test -n "$lookup"
echo "first-run options: TaskBarIcon=$(setting State TaskBarIcon) UseSounds=$(setting State UseSounds)"
shot lookup_english "$lookup"

# ---- About over GRENG ----
system_menu "$lookup" 2
about=$(wait_window "About")
check "About opens" test -n "$about"
shot about_english "$about"
xdotool key Escape
wait_gone "About"

# ---- Help balloons ----
system_menu "$lookup" 6
balloon english "$lookup"

# ---- Program adjustments: Cancel changes nothing ----
system_menu "$lookup" 4
adjustments=$(wait_window "Program adjustments")
check "the adjustments open" test -n "$adjustments"
shot adjustments_english "$adjustments"
for _ in $(seq 4); do xdotool key Tab; done; xdotool key space   # Greek texts on
xdotool key Escape
wait_gone "Program adjustments"
check "Escape leaves UseGreek off" test "$(setting State UseGreek)" = "0"
check "Escape leaves FormType on" test "$(setting State FormType)" = "1"

# ---- The compact form in English, then the full form in Greek ----
adjust "$lookup" index
check "OK stores FormType 0" test "$(setting State FormType)" = "0"
lookup=$(lookup_window)
check "the lookup window opens again" test -n "$lookup"
shot lookup_english_compact "$lookup"
balloon english_compact "$lookup"
adjust "$lookup" greek index
check "OK stores UseGreek 1" test "$(setting State UseGreek)" = "1"
check "OK stores FormType 1" test "$(setting State FormType)" = "1"
lookup=$(lookup_window)
shot lookup_greek "$lookup"

# ---- The Greek dialogs ----
system_menu "$lookup" 2
about=$(dialog_over "$lookup")
check "About opens in Greek" test -n "$about"
shot about_greek "$about"
xdotool key Escape; sleep 1
system_menu "$lookup" 3
tip=$(dialog_over "$lookup")
check "the tip opens from the menu in Greek" test -n "$tip"
shot tip_greek "$tip"
xdotool key Escape; sleep 1
balloon greek "$lookup"
system_menu "$lookup" 4
adjustments=$(dialog_over "$lookup")
check "the adjustments open in Greek" test -n "$adjustments"
shot adjustments_greek "$adjustments"
xdotool key Escape; sleep 1

# ---- The compact form in Greek ----
adjust "$lookup" index
check "OK stores FormType 0 again" test "$(setting State FormType)" = "0"
lookup=$(lookup_window)
eval "$(xdotool getwindowgeometry --shell "$lookup")"
echo "compact lookup window ${WIDTH}x${HEIGHT}"
shot lookup_greek_compact "$lookup"

# ---- Restart: no tip ----
stop
start
sleep 3
check "no tip after ShowTips was unticked" test -z "$(window "Tip of the Day")$(window "Συμβουλή της ημέρας")"
stop

echo "$failures failure(s); screenshots in $shots"
exit $((failures > 0))
