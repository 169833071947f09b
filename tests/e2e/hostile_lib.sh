# Helpers for the hostile-input scripts: quiz executables made with
# make_hostile_quiz (raw resources, no authoring checks), and a watcher that
# runs one under Wine, answers its message boxes, waits for its main window
# and closes it, failing on a crash. Source after lib.sh.

MIRVO_HOSTILE_HELPER=${MIRVO_HOSTILE_HELPER:-$(dirname "$MIRVO_CLI")/tests/make_hostile_quiz}

# hostile_bytes FILE PRINTF-BYTES: writes the bytes (printf %b escapes).
hostile_bytes() { printf '%b' "$2" >"$1"; }

# hostile_quiz EXE RESOURCE...: $E2E_DIR/EXE from the player with the given
# resources (TYPE/NUMBER=FILE raw, TYPE/NUMBER+=FILE packed; files relative
# to $E2E_DIR).
hostile_quiz() {
  [[ -x $MIRVO_HOSTILE_HELPER ]] || e2e_fail "no helper at $MIRVO_HOSTILE_HELPER (build make_hostile_quiz)"
  local exe=$1
  shift
  (cd "$E2E_DIR" && "$MIRVO_HOSTILE_HELPER" "$MIRVO_PLAYER" "$exe" "$@") || e2e_fail "cannot make $exe"
}

# The visible top-level windows of an executable: Wine names their X class
# after the file, in lower case.
hostile_windows() { xdotool search --onlyvisible --class "^${1,,}\$" 2>/dev/null || true; }

# hostile_play EXE: starts EXE, presses Enter on every message box it shows
# (caption "Mirvo" or "information"), waits for another window (the main
# window) and closes it with Alt+F4; the player must then end with status 0.
# Sets HOSTILE_MESSAGES (the captions seen, in order) and HOSTILE_TITLE; on
# failure returns 1 with HOSTILE_ERROR set, the player stopped.
hostile_fail() {
  HOSTILE_ERROR=$*
  mirvo_stop_pid "$E2E_PID"
  return 1
}

hostile_play() {
  local exe=$1 i win name found=
  HOSTILE_MESSAGES=
  HOSTILE_TITLE=
  HOSTILE_ERROR=
  e2e_start "$exe"
  for ((i = 0; i < 300; i++)); do
    [[ -n $found ]] && break
    for win in $(hostile_windows "$exe"); do
      name=$(xdotool getwindowname "$win" 2>/dev/null || true)
      case $name in
        Mirvo | information | Information)
          HOSTILE_MESSAGES+="${HOSTILE_MESSAGES:+,}$name"
          xdotool windowactivate --sync "$win" 2>/dev/null || true
          xdotool key --window "$win" --clearmodifiers Return 2>/dev/null || true
          sleep 0.5
          ;;
        *"Program Error"* | *"rreur de programme"*)
          hostile_fail "$exe crashed (Wine's program error dialog is up)"
          return 1
          ;;
        *)
          found=$win
          HOSTILE_TITLE=$name
          ;;
      esac
      [[ -n $found ]] && break
    done
    if [[ -z $found ]] && ! kill -0 "$E2E_PID" 2>/dev/null; then
      local rc=0
      wait "$E2E_PID" || rc=$?
      hostile_fail "$exe ended (status $rc) before showing its main window"
      return 1
    fi
    sleep 0.1
  done
  [[ -n $found ]] || { hostile_fail "$exe showed no main window within 30 s"; return 1; }
  # Let the panel build and paint; a crash in it would end the process.
  sleep 1
  kill -0 "$E2E_PID" 2>/dev/null || { hostile_fail "$exe ended on its own after showing its window"; return 1; }
  xdotool windowactivate --sync "$found" 2>/dev/null || true
  xdotool key --clearmodifiers alt+F4
  for ((i = 0; i < 150; i++)); do
    if ! kill -0 "$E2E_PID" 2>/dev/null; then
      local rc=0
      wait "$E2E_PID" || rc=$?
      ((rc == 0)) || { HOSTILE_ERROR="$exe ended with status $rc after Alt+F4"; return 1; }
      return 0
    fi
    sleep 0.1
  done
  hostile_fail "$exe did not end after Alt+F4"
}
