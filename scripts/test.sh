#!/usr/bin/env bash
# Sets everything up and runs every test: the native suites, the same suites under
# AddressSanitizer + UndefinedBehaviorSanitizer with the fuzz targets (clang), and the Windows
# test programs and end-to-end tests under Wine in a private Xvfb display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=${WORDMERE_JOBS:-$(nproc)}

bash scripts/setup.sh --tests
bash scripts/build.sh

echo "== library layers"
# No portable library links a Win32 one, and no two libraries need each other.
python3 scripts/check_layers.py build/win

echo "== native tests"
ctest --test-dir build/native -j "$jobs" --output-on-failure

echo "== sanitizer build and tests (with bounded fuzzing)"
cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
      -DWORDMERE_SANITIZE=ON -DWORDMERE_FUZZ=ON >/dev/null
cmake --build build/sanitize -j "$jobs"
ctest --test-dir build/sanitize -j "$jobs" --output-on-failure

echo "== Windows tests under Wine"
# Every test program runs in a throw-away copy of the project's prefix (scripts/wine_test_run),
# made here first when it is missing; the prefix itself is never changed by a test.
scripts/wine_prefix.sh
scripts/xvfb_run.sh ctest --test-dir build/win -j 1 --timeout 600 --output-on-failure
