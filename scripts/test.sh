#!/usr/bin/env bash
# Sets everything up and runs every test: the native suites, the same suites under
# AddressSanitizer + UndefinedBehaviorSanitizer with the fuzz targets (clang), and the Windows
# test programs and end-to-end tests under Wine in a private Xvfb display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=${WORDMERE_JOBS:-$(nproc)}

bash scripts/setup.sh
bash scripts/build.sh

echo "== native tests"
ctest --test-dir build/native -j "$jobs" --output-on-failure

echo "== sanitizer build and tests (with bounded fuzzing)"
cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
      -DWORDMERE_SANITIZE=ON -DWORDMERE_FUZZ=ON >/dev/null
cmake --build build/sanitize -j "$jobs"
ctest --test-dir build/sanitize -j "$jobs" --output-on-failure

echo "== Windows tests under Wine"
# Wine starts its own services (services.exe, winedevice.exe, ...) with the first program of a
# session; they live as long as the server and keep the output of that first program. Started
# from inside CTest they would hold its output pipe open and CTest would wait on it forever, so
# a first program runs here with its output going nowhere.
scripts/wine_prefix.sh
WINEPREFIX="$root/build/wineprefix" scripts/xvfb_run.sh bash -c '
    wineserver -p >/dev/null 2>&1 || true
    scripts/wine_run cmd /c exit >/dev/null 2>&1 </dev/null || true
    status=0
    ctest --test-dir build/win -j 1 --timeout 600 --output-on-failure || status=$?
    wineserver -k 2>/dev/null || true
    exit $status'
