#!/usr/bin/env bash
# Builds the native tools and libraries (build/native), the Windows program (build/win) and
# stages the program directory build/dist/ (wordmere.exe, dictionaries, texts, help).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=${WORDMERE_JOBS:-$(nproc)}
dist="$root/build/dist"

echo "== native build"
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DWORDMERE_DIST_DIR="$dist" >/dev/null
cmake --build build/native -j "$jobs"

echo "== Windows build"
cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
      -DWORDMERE_NATIVE_BIN="$root/build/native/bin" -DWORDMERE_DIST_DIR="$dist" >/dev/null
cmake --build build/win -j "$jobs"
