#!/bin/bash
# Inside the private network namespace: one Xvfb display and one wineserver for the whole
# test run, then ctest; everything started here is stopped here, by pid.
. "$(dirname "$0")/env.sh"
BUILD_DIR=$1; shift
cd "$BUILD_DIR" || exit 1

rm -f "$BUILD_ROOT/xvfb.display"
Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp 5>"$BUILD_ROOT/xvfb.display" 2>/dev/null &
xvfb=$!
for i in $(seq 100); do [ -s "$BUILD_ROOT/xvfb.display" ] && break; sleep 0.05; done
export DISPLAY=:$(cat "$BUILD_ROOT/xvfb.display")

LC_ALL=$WINE_LOCALE wineserver -f -p 2>/dev/null &
wineserver_pid=$!
"$ROOT/scripts/wine" cmd /c exit >/dev/null 2>&1

ctest --output-on-failure -j "${TEST_JOBS:-$(nproc)}" "$@" > "$BUILD_ROOT/ctest.log" 2>&1
rc=$?

# Screenshots are saved as BMP by the tests; keep PNG copies beside them.
for f in "$BUILD_DIR"/screenshots/*.bmp; do
  [ -f "$f" ] && convert "$f" "${f%.bmp}.png" 2>/dev/null
done

LC_ALL=$WINE_LOCALE wineserver -k 2>/dev/null
[ -n "${wineserver_pid:-}" ] && kill "$wineserver_pid" 2>/dev/null
kill "$xvfb" 2>/dev/null
wait "$xvfb" 2>/dev/null
exit $rc
