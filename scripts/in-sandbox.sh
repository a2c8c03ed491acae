#!/bin/bash
# Inside the private network namespace: one Xvfb display and one wineserver for the whole
# test run, then ctest; everything started here is stopped here, by pid.
. "$(dirname "$0")/env.sh"
. "$ROOT/scripts/display.sh"
BUILD_DIR=$1; shift
cd "$BUILD_DIR" || exit 1

start_xvfb "$BUILD_ROOT"
start_wineserver

# Notes left by scripts/wine for test programs that ended without any output.
export WINE_RUN_NOTES=$BUILD_ROOT/wine-runs
rm -rf "$WINE_RUN_NOTES"
mkdir -p "$WINE_RUN_NOTES"

ctest --output-on-failure -j "${TEST_JOBS:-$(nproc)}" "$@" > "$BUILD_ROOT/ctest.log" 2>&1
rc=$?

# Screenshots are saved as BMP by the tests; keep PNG copies beside them.
for f in "$BUILD_DIR"/screenshots/*.bmp; do
  [ -f "$f" ] && convert "$f" "${f%.bmp}.png" 2>/dev/null
done

stop_display
exit $rc
