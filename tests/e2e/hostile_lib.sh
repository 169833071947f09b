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
  HOSTILE_ERROR="$* (screen: fail_${exe%.exe}.png)"
  e2e_screenshot "$E2E_DIR/fail_${exe%.exe}.png" 2>/dev/null || true
  mirvo_stop_pid "$E2E_PID"
  return 1
}

hostile_play() {
  local exe=$1 i win name found= answered=
  HOSTILE_MESSAGES=
  HOSTILE_TITLE=
  HOSTILE_ERROR=
  e2e_start "$exe"
  for ((i = 0; i < 300; i++)); do
    [[ -n $found ]] && break
    for win in $(hostile_windows "$exe"); do
      name=$(xdotool getwindowname "$win" 2>/dev/null || true)
      case $name in
        # A window that has no caption yet is still being made.
        "") ;;
        Mirvo | information | Information)
          # A box is counted once; Enter goes again every second until it
          # closes, since a key sent before the box has the focus is lost.
          if [[ " $answered " != *" $win "* ]]; then
            answered+=" $win"
            HOSTILE_MESSAGES+="${HOSTILE_MESSAGES:+,}$name"
          elif ((i % 10 != 0)); then
            continue
          fi
          xdotool windowfocus --sync "$win" 2>/dev/null || true
          xdotool key --clearmodifiers Return 2>/dev/null || true
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
  sleep 0.5
  kill -0 "$E2E_PID" 2>/dev/null || { hostile_fail "$exe ended on its own after showing its window"; return 1; }
  for ((i = 0; i < 300; i++)); do
    # Alt+F4 again every 5 s: under load a key can reach the window before
    # it has the focus.
    if ((i % 50 == 0)); then
      xdotool windowfocus --sync "$found" 2>/dev/null || true
      xdotool key --clearmodifiers alt+F4
    fi
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

# hostile_make_inputs: the raw and unpacked bytes the tables refer to, in
# $E2E_DIR (the current directory).
hostile_make_inputs() {
  good='\x00\x01\x02\x01Hostile|Moi|Expl|C1|C2|paris|Q1|rome|Q2|\x00\x5a\x5f\x96'
  hostile_bytes good.desc "$good"
  hostile_bytes good.codes 'A\r\nB\r\n'
  hostile_bytes empty ''
  LC_ALL=C awk 'BEGIN { srand(7); for (i = 0; i < 200; i++) printf "%c", int(rand() * 256) }' >garbage
  head -c 30 good.desc >cut.desc                      # ends inside the questions
  hostile_bytes no_separators.desc '\x00\x01\x02\x01HostileMoiExplC1C2parisQ1romeQ2\x00\x5a\x5f\x96'
  { printf '\x00\x01\x01\x01'; head -c 300 /dev/zero | tr '\0' x; printf '|Moi|E|C1|C2|a|q|\x00\x01\x02\x03'; } >field300.desc
  hostile_bytes zero.desc '\x00\x01\x00\x01Zero|Moi|E|C1|C2|\x00\x5a\x5f\x96'
  { printf '\x00\x01\xff\x01Many|Moi|E|C1|C2|'; for ((i = 0; i < 255; i++)); do printf 'a|q|'; done; printf '\x00\x01\x02\x03'; } >q255.desc
  hostile_bytes type0.desc '\x00\x00\x01\x01Type0|Moi|E|C1|C2|a|q|\x00\x01\x02\x03'
  hostile_bytes type9.desc '\x00\x09\x01\x01Type9|Moi|E|C1|C2|a|q|\x00\x01\x02\x03'
  hostile_bytes answers0.desc '\x00\x01\x01\x00Answers0|Moi|E|C1|C2|a|q|\x00\x01\x02\x03'
  hostile_bytes answers3.desc '\x00\x01\x01\x03Answers3|Moi|E|C1|C2|a|b|c|q|\x00\x01\x02\x03'
  # 'A' as a 9-bit code, then 300 while the next free code is 259.
  hostile_bytes above_free.lzw '\x20\xcb\x00'
  hostile_bytes codes_no_crlf 'AB'
  # Packed streams cut in half: the codec meets the end inside a code.
  "$MIRVO_HOSTILE_HELPER" --pack good.desc good.desc.lzw && "$MIRVO_HOSTILE_HELPER" --pack good.codes good.codes.lzw \
    || e2e_fail "cannot pack"
  head -c $(($(stat -c %s good.desc.lzw) / 2)) good.desc.lzw >half.desc.lzw
  head -c $(($(stat -c %s good.codes.lzw) / 2)) good.codes.lzw >half.codes.lzw
  pictures='\x00\x02\x01\x01Pictures|Moi|E|C1|C2|rouge|q|\x01\x5a\x5f\x96'
  hostile_bytes pictures.desc "$pictures"
  hostile_bytes one.codes 'A\r\n'
  hostile_bytes text.img 'this is not a picture at all'
  jpeg=$MIRVO_ROOT/tests/data/pictures/q600x400.jpg
  head -c $(($(stat -c %s "$jpeg") / 2)) "$jpeg" >half.jpg
  /usr/bin/python3 - "$jpeg" <<'PY'
import struct, sys
# A JPEG whose frame header claims 8000 x 6250 (50 megapixels) over the
# scan data of a small picture, and a GIF of that screen size with one pixel.
data = bytearray(open(sys.argv[1], 'rb').read())
i = 2
while i < len(data):
    marker, length = data[i + 1], struct.unpack('>H', data[i + 2:i + 4])[0]
    if marker in (0xC0, 0xC1, 0xC2):
        struct.pack_into('>HH', data, i + 5, 6250, 8000)
        break
    i += 2 + length
open('big.jpg', 'wb').write(data)
gif = b'GIF89a' + struct.pack('<HHBBB', 8000, 6250, 0x80, 0, 0) + b'\x00\x00\x00\xff\xff\xff'
gif += b',' + struct.pack('<HHHHB', 0, 0, 1, 1, 0) + b'\x02\x02\x44\x01\x00;'
open('big.gif', 'wb').write(gif)
PY
}

# hostile_table ROW...: runs each row "name|resources|message yes/no|main
# window title", prints what each gave, fails when any row did not give what
# it expects.
hostile_table() {
  local rows=("$@") row name resources want_message want_title exe messages title ok failures
  failures=0
  printf '%-28s %-18s %s\n' row messages "main window"
  for row in "${rows[@]}"; do
    IFS='|' read -r name resources want_message want_title <<<"$row"
    exe="h_${name}.exe"
    # shellcheck disable=SC2086 # the resources are one word each
    hostile_quiz "$exe" $resources
    # A failing row is reported and the table goes on. A start that showed
    # nothing at all is tried once more: the shared Wine server can be
    # stopped under us by another test run; a player that hangs does so twice.
    if ! hostile_play "$exe" && { [[ -n $HOSTILE_MESSAGES || $HOSTILE_ERROR != *"no main window"* ]] \
                                  || ! hostile_play "$exe"; }; then
      printf '%-28s FAILED: %s\n' "$name" "$HOSTILE_ERROR"
      failures=$((failures + 1))
      continue
    fi
    messages=$HOSTILE_MESSAGES title=$HOSTILE_TITLE
    printf '%-28s %-18s "%s"\n' "$name" "${messages:-none}" "$title"
    ok=1
    [[ $want_message == yes && -z $messages ]] && ok=0
    [[ $want_message == no && -n $messages ]] && ok=0
    [[ $title == "$want_title" ]] || ok=0
    if ((!ok)); then
      echo "  expected: message $want_message, title \"$want_title\"" >&2
      failures=$((failures + 1))
    fi
  done
  ((failures == 0)) || e2e_fail "$failures hostile quiz rows failed"
  echo "all ${#rows[@]} hostile quizzes started, told what they must and closed cleanly"
}

# hostile_text_quiz EXE TITLE N: a text quiz of N questions, one answer each
# (answer k is "answer k"), with N reward codes.
hostile_text_quiz() {
  local exe=$1 title=$2 n=$3 k
  { printf '\x00\x01'; printf "\\x$(printf %02x "$n")"; printf '\x01%s|Moi|E|C1|C2|' "$title"
    for ((k = 1; k <= n; k++)); do printf 'answer %d|question %d|' "$k" "$k"; done
    printf '\x00\x5a\x5f\x96'; } >"$exe.desc"
  for ((k = 1; k <= n; k++)); do printf 'CODE%d\r\n' "$k"; done >"$exe.codes"
  hostile_quiz "$exe" "PATCH/104+=$exe.desc" "PATCH/105+=$exe.codes"
}

# hostile_check_sheet FILE LINES: FILE is a well-formed sheet of LINES lines,
# each at most 259 bytes and ended by CR LF.
hostile_check_sheet() {
  /usr/bin/python3 - "$1" "$2" <<'PY'
import sys
data = open(sys.argv[1], 'rb').read()
lines = int(sys.argv[2])
parts = data.split(b'\r\n')
if parts[-1] != b'' or len(parts) - 1 != lines:
    sys.exit(f'{sys.argv[1]}: {len(parts) - 1} CR LF lines (or a tail), not {lines}')
for i, line in enumerate(parts[:-1]):
    # LF may stay inside a text: only CR ends a line.
    if len(line) > 259 or b'\r' in line or b'\0' in line:
        sys.exit(f'{sys.argv[1]}: line {i + 1} is not an answer box text')
PY
}
