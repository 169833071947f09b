# Shell helpers shared by the Wine test runner, the end-to-end tests and run.sh.
# Source it; it defines functions and sets nothing until they are called.
#
# One WINEPREFIX under build/ is made once per test run (under a lock, as tests
# run concurrently): making one costs about 15 s. Each test then runs on a
# cheap private clone of it with its own wineserver, and on its own Xvfb
# display; both are stopped when the test ends.

MIRVO_ROOT=${MIRVO_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}

mirvo_wine_env() {
  export WINEPREFIX=${MIRVO_WINEPREFIX:-$MIRVO_ROOT/build/wineprefix}
  export WINEDEBUG=-all
  # No Mono or Gecko installer dialog may ever pop up under a test.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEARCH=win32
}

mirvo_ensure_prefix() {
  mirvo_wine_env
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [[ ! -f $WINEPREFIX/.mirvo-ready ]]; then
      rm -rf "$WINEPREFIX"
      DISPLAY= wineboot -i >/dev/null 2>&1 || true
      wineserver -w 2>/dev/null || true
      touch "$WINEPREFIX/.mirvo-ready"
    fi
  ) 9>"$(dirname "$WINEPREFIX")/.wineprefix.lock"
}

# Switches this shell to a private clone of the shared prefix in DIR. Wine
# keeps one foreground window per wineserver, so two tests on one server steal
# keyboard focus from each other even on separate displays; a clone gives each
# test its own server. The clone hard-links the read-only bulk (the DLLs) and
# copies the registry files, which the wineserver rewrites in place.
mirvo_use_private_prefix() {
  local dir=$1
  mirvo_ensure_prefix
  rm -rf "$dir"
  mkdir -p "$(dirname "$dir")"
  cp -al "$WINEPREFIX" "$dir" 2>/dev/null || { rm -rf "$dir"; cp -a "$WINEPREFIX" "$dir"; }
  local reg
  for reg in "$WINEPREFIX"/*.reg; do
    cp --remove-destination "$reg" "$dir/$(basename "$reg")"
  done
  export WINEPREFIX=$dir
  MIRVO_PRIVATE_PREFIX=$dir
}

# Ends the private prefix's wineserver and every Wine process on it, and
# removes the clone.
mirvo_end_private_prefix() {
  if [[ -n ${MIRVO_PRIVATE_PREFIX:-} ]]; then
    WINEPREFIX=$MIRVO_PRIVATE_PREFIX wineserver -k 2>/dev/null || true
    WINEPREFIX=$MIRVO_PRIVATE_PREFIX wineserver -w 2>/dev/null || true
    rm -rf "$MIRVO_PRIVATE_PREFIX"
    MIRVO_PRIVATE_PREFIX=
  fi
}

# Starts a private Xvfb; sets DISPLAY and MIRVO_XVFB_PID.
mirvo_start_xvfb() {
  local fdfile
  fdfile=$(mktemp)
  Xvfb -displayfd 3 -nolisten tcp -screen 0 "${MIRVO_SCREEN:-1280x1024x24}" 3>"$fdfile" >/dev/null 2>&1 &
  MIRVO_XVFB_PID=$!
  local i
  for i in $(seq 1 200); do
    [[ -s $fdfile ]] && break
    if ! kill -0 "$MIRVO_XVFB_PID" 2>/dev/null; then break; fi
    sleep 0.05
  done
  if [[ ! -s $fdfile ]]; then
    echo "Xvfb did not start" >&2
    rm -f "$fdfile"
    return 1
  fi
  export DISPLAY=":$(tr -dc 0-9 <"$fdfile")"
  rm -f "$fdfile"
}

mirvo_stop_xvfb() {
  if [[ -n ${MIRVO_XVFB_PID:-} ]]; then
    kill "$MIRVO_XVFB_PID" 2>/dev/null || true
    wait "$MIRVO_XVFB_PID" 2>/dev/null || true
    MIRVO_XVFB_PID=
  fi
}

# Stops a process and everything it started (by process group when it has one).
mirvo_stop_pid() {
  local pid=$1
  [[ -z $pid ]] && return 0
  kill "$pid" 2>/dev/null || true
  local i
  for i in $(seq 1 40); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}
