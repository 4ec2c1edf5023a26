#!/usr/bin/env bash
# Sets everything up, builds and stages Wordmere, and starts it under Wine on your display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh
bash scripts/build.sh
scripts/wine_prefix.sh
if [ -z "${DISPLAY:-}" ]; then
    echo "run: there is no display (DISPLAY is not set). Start Wordmere from a desktop session," >&2
    echo "     or on a virtual screen: scripts/xvfb_run.sh scripts/run.sh" >&2
    exit 1
fi
# The program finds its files beside its executable; it starts in its own folder all the same,
# as a shortcut with a working folder starts it.
cd "$root/build/dist"
exec "$root/scripts/wine_run" "$root/build/dist/wordmere.exe"
