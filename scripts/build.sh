#!/bin/bash
# Configures (once) and builds the Win64 client and its tests.
set -euo pipefail
. "$(dirname "$0")/env.sh"
BUILD_DIR=$BUILD_ROOT/win64
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
  cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" -DJPEG_ROOT="$DEPS_ROOT/sysroot" >/dev/null
fi
cmake --build "$BUILD_DIR" -j"$(nproc)"
