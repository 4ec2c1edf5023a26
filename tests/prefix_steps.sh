# Steps the test scripts that keep a Wine prefix of their own share; sourced, not run.
# Sets root (the source tree) and dir (the prefix, the script's second argument, absolute).
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
dir=$(realpath -m "$2")
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# Ends every Wine process of the prefix.
stop_prefix() {
    WINEPREFIX="$dir" wineserver -k 2>/dev/null || true
}

# Starts the prefix's server: it lingers a minute after its last program, so the tests' many
# starts stay fast and nothing is left running for long when the stop step does not run.
serve_prefix() {
    WINEPREFIX="$dir" wineserver -p60 </dev/null >/dev/null 2>&1
}

# A program that crashes ends at once, instead of waiting in the debugger Wine starts for it:
# the debugger named here does not exist.
skip_crash_debugger() {
    WINEPREFIX="$dir" wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
        /v Debugger /d no-debugger /f </dev/null >/dev/null 2>&1 || true
}

# Wine hands web pages to the host's browser (winebrowser); in a test prefix the "browser" only
# notes what it was given, one argument a line, in PREFIX.browser_calls.txt beside it, so no
# test opens a real browser and a test can see what was opened.
record_browser() {
    local recorder="$dir.browser"
    printf '#!/bin/sh\nprintf "%%s\\n" "$@" >> "%s.browser_calls.txt"\n' "$dir" > "$recorder"
    chmod +x "$recorder"
    WINEPREFIX="$dir" wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$recorder" \
        /f </dev/null >/dev/null 2>&1 || true
}
