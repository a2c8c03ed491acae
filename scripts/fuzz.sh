#!/bin/bash
# Builds the native fuzz targets of the HTTP client's protocol logic into $BUILD_ROOT/fuzz
# and runs each for a bounded time (FUZZ_SECONDS, default 10) from the seed corpus.
# Fails when a target does not build or finds a crash.
set -uo pipefail
. "$(dirname "$0")/env.sh"
OUT=$BUILD_ROOT/fuzz
SECONDS_EACH=${FUZZ_SECONDS:-10}
mkdir -p "$OUT"
if [ ! -f "$OUT/build.ninja" ]; then
  CXX=clang++ cmake -S "$ROOT/fuzz" -B "$OUT" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$OUT/configure.log" 2>&1 \
    || { cat "$OUT/configure.log"; echo "fuzz: configure failed"; exit 1; }
fi
cmake --build "$OUT" >"$OUT/build.log" 2>&1 || { cat "$OUT/build.log"; echo "fuzz: build failed"; exit 1; }

# Targets that already ran clean, unchanged, are not run again (FUZZ_FORCE=1 runs them anyway).
stamp=$(cat "$OUT/fuzz_reply" "$OUT/fuzz_url" "$ROOT"/fuzz/corpus/*/* 2>/dev/null | sha256sum | cut -d' ' -f1)
if [ -z "${FUZZ_FORCE:-}" ] && [ "$(cat "$OUT/clean.stamp" 2>/dev/null)" = "$stamp" ]; then
  echo "fuzz: targets unchanged since their last clean run"
  exit 0
fi

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
rc=0
for name in reply url; do
  target=$OUT/fuzz_$name
  work=$OUT/corpus-$name
  mkdir -p "$work" "$OUT/artifacts"
  "$target" "$work" "$ROOT/fuzz/corpus/$name" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$OUT/artifacts/$name-" -print_final_stats=1 >"$OUT/fuzz_$name.log" 2>&1
  status=$?
  runs=$(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$OUT/fuzz_$name.log" | grep -o '[0-9]*$')
  if [ $status -ne 0 ]; then
    echo "fuzz: fuzz_$name FAILED (exit $status); see $OUT/fuzz_$name.log"
    grep -E -A30 'ERROR:|runtime error|deadly signal' "$OUT/fuzz_$name.log" | head -60
    rc=1
  else
    echo "fuzz: fuzz_$name clean (${runs:-?} runs in ${SECONDS_EACH}s)"
  fi
done
[ $rc -eq 0 ] && echo "$stamp" > "$OUT/clean.stamp"
exit $rc
