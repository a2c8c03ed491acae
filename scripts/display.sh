# Sourced: a virtual display and a persistent wineserver for a run, started and stopped
# by pid. Needs scripts/env.sh sourced first.

# start_xvfb DIR: an Xvfb on a free display number (noted in DIR/xvfb.display); sets
# DISPLAY and XVFB_PID.
start_xvfb() {
  rm -f "$1/xvfb.display"
  Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp 5>"$1/xvfb.display" 2>/dev/null &
  XVFB_PID=$!
  for i in $(seq 100); do [ -s "$1/xvfb.display" ] && break; sleep 0.05; done
  export DISPLAY=:$(cat "$1/xvfb.display")
}

# start_wineserver: one wineserver for every Wine program of the run; sets WINESERVER_PID.
start_wineserver() {
  LC_ALL=$WINE_LOCALE wineserver -f -p 2>/dev/null &
  WINESERVER_PID=$!
  "$ROOT/scripts/wine" cmd /c exit >/dev/null 2>&1
}

# stop_display: ends what the two above started.
stop_display() {
  if [ -n "${WINESERVER_PID:-}" ]; then
    LC_ALL=$WINE_LOCALE wineserver -k 2>/dev/null
    kill "$WINESERVER_PID" 2>/dev/null
  fi
  if [ -n "${XVFB_PID:-}" ]; then
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
  fi
}
