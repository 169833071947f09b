# Helpers for end-to-end tests: a private Xvfb, a private clone of the Wine
# prefix, the player started in a scratch directory and looked at from outside.
# Source it from a *_test.sh script; every process it starts is stopped by
# its own id when the script exits, pass or fail.
set -euo pipefail

MIRVO_ROOT=${MIRVO_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
source "$MIRVO_ROOT/cmake/wine-env.sh"
MIRVO_CLI=${MIRVO_CLI:-$MIRVO_ROOT/build/host/mirvo}
MIRVO_PLAYER=${MIRVO_PLAYER:-$MIRVO_ROOT/build/win32/mirvo-player.exe}
MIRVO_E2E_OUT=${MIRVO_E2E_OUT:-$MIRVO_ROOT/build/host/e2e}
E2E_PIDS=()

e2e_fail() { echo "FAIL: $*" >&2; exit 1; }

e2e_teardown() {
  local pid
  for pid in "${E2E_PIDS[@]}"; do mirvo_stop_pid "$pid"; done
  mirvo_end_private_prefix
  mirvo_stop_xvfb
}

# e2e_setup NAME: a fresh work folder $E2E_DIR, the prefix and a display.
e2e_setup() {
  [[ -f $MIRVO_PLAYER ]] || e2e_fail "no player at $MIRVO_PLAYER (build the win32 preset first)"
  E2E_DIR=$MIRVO_E2E_OUT/$1
  rm -rf "$E2E_DIR"
  mkdir -p "$E2E_DIR"
  trap e2e_teardown EXIT
  mirvo_use_private_prefix "$MIRVO_E2E_OUT/.prefix-$1"
  mirvo_start_xvfb
}

# e2e_start EXE: starts EXE under Wine with $E2E_DIR as current directory;
# sets E2E_PID.
e2e_start() {
  (cd "$E2E_DIR" && exec wine "$1") >>"$E2E_DIR/wine.log" 2>&1 &
  E2E_PID=$!
  E2E_PIDS+=("$E2E_PID")
}

# e2e_wait_window TITLE [SECONDS]: prints the X window id of the visible
# window named exactly TITLE (UTF-8), or fails.
e2e_wait_window() {
  local title=$1 limit=${2:-30} id i
  for ((i = 0; i < limit * 10; i++)); do
    id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n1 || true)
    if [[ -n $id ]]; then echo "$id"; return 0; fi
    if [[ -n ${E2E_PID:-} ]] && ! kill -0 "$E2E_PID" 2>/dev/null; then
      e2e_fail "the player ended before a window named '$title' appeared"
    fi
    sleep 0.1
  done
  e2e_fail "no window named '$title' within ${limit}s"
}

# e2e_screenshot FILE: the whole screen as a PNG.
e2e_screenshot() { /usr/bin/import -window root "$1"; }

# e2e_focus WINDOW: gives WINDOW the keyboard focus. Without a window manager
# the first request can race the window's mapping, so it is repeated until X
# reports the focus where it was asked.
e2e_focus() {
  local win=$1 i
  for ((i = 0; i < 20; i++)); do
    xdotool windowfocus "$win" 2>/dev/null || true
    [[ $(xdotool getwindowfocus 2>/dev/null) == "$win" ]] && return 0
    sleep 0.1
  done
  return 0
}

# e2e_close WINDOW: Alt+F4 to the window, then waits for the player to end.
# The key is sent again if the player is still there after a few seconds: a
# key that arrived before Wine took the focus is lost, not queued.
e2e_close() {
  local win=$1 attempt i
  for ((attempt = 0; attempt < 3; attempt++)); do
    e2e_focus "$win"
    xdotool key --clearmodifiers alt+F4
    for ((i = 0; i < 50; i++)); do
      kill -0 "$E2E_PID" 2>/dev/null || { wait "$E2E_PID" 2>/dev/null || true; return 0; }
      sleep 0.1
    done
  done
  e2e_fail "the player did not end after Alt+F4"
}

# e2e_count_colour FILE '#RRGGBB': how many pixels of exactly that colour.
e2e_count_colour() {
  /usr/bin/convert "$1" -alpha off -fill black +opaque "$2" -fill white -opaque "$2" \
    -format '%[fx:round(mean*w*h)]' info:
}

# e2e_colour_origin FILE '#RRGGBB': "x y" of the top-left corner of the box
# around every pixel of that colour; fails when there is none.
e2e_colour_origin() {
  local n geometry
  n=$(e2e_count_colour "$1" "$2")
  ((n > 0)) || return 1
  geometry=$(/usr/bin/convert "$1" -alpha off -fill black +opaque "$2" -fill white -opaque "$2" -trim -format '%X %Y' info:)
  geometry=${geometry//+/}
  echo "$geometry"
}
