#!/usr/bin/env bash
# Builds the native tools and libraries (build/native), the Windows program (build/win) and
# stages the program directory build/dist/ (wordmere.exe, dictionaries, texts, help).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=${WORDMERE_JOBS:-$(nproc)}
dist="$root/build/dist"
# Several work trees of one repository share compiled objects through ccache.
launcher=()
if command -v ccache >/dev/null; then
    export CCACHE_BASEDIR="$(dirname "$root")" CCACHE_NOHASHDIR=true
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

echo "== native build"
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
      -DWORDMERE_DIST_DIR="$dist" >/dev/null
cmake --build build/native -j "$jobs"

echo "== Windows build"
cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
      -DWORDMERE_NATIVE_BIN="$root/build/native/bin" -DWORDMERE_DIST_DIR="$dist" >/dev/null
cmake --build build/win -j "$jobs"
