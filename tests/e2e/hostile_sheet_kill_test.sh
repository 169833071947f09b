#!/usr/bin/env bash
# The sheet survives the player being killed while it saves: F2 is pressed
# over and over in an answer box and the player is killed with SIGKILL at a
# random moment, many times. The sheet on disk must always be the old one or
# the new one, whole. MIRVO_KILL_ROUNDS sets the number of rounds.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/hostile_lib.sh"
e2e_setup hostile_sheet_kill
cd "$E2E_DIR"
# 96 questions with long answers: the biggest sheet a text quiz saves.
hostile_text_quiz kill.exe Kill 96

rounds=${MIRVO_KILL_ROUNDS:-15}
# The old sheet: every box's text, plus a line beyond the last box. A save
# writes the same texts without that line, so old and new differ.
long=$(head -c 240 /dev/zero | tr '\0' z)
{ for ((k = 1; k <= 96; k++)); do printf '%03d %s\r\n' "$k" "$long"; done; printf 'beyond the boxes\r\n'; } >old.sheet
head -c $(($(stat -c %s old.sheet) - 18)) old.sheet >new.sheet

RANDOM=4242
old=0 new=0 midsave=0
for ((round = 1; round <= rounds; round++)); do
  rm -f kill.txt kill.txt.tmp
  cp old.sheet kill.txt
  e2e_start kill.exe
  win=$(e2e_wait_window Kill)
  sleep 0.5
  xdotool windowfocus --sync "$win" 2>/dev/null || true
  # F2 goes to the answer box that has the focus (the first one at start).
  ( for ((i = 0; i < 400; i++)); do xdotool key --clearmodifiers F2 2>/dev/null || exit 0; done ) &
  presser=$!
  sleep "0.$((RANDOM % 9 + 1))$((RANDOM % 10))"
  kill -9 "$E2E_PID" 2>/dev/null || true
  wait "$E2E_PID" 2>/dev/null || true
  kill "$presser" 2>/dev/null || true
  wait "$presser" 2>/dev/null || true
  # A temporary sheet left behind: the kill came in the middle of a save.
  [[ -e kill.txt.tmp ]] && midsave=$((midsave + 1))
  if cmp -s kill.txt old.sheet; then
    old=$((old + 1))
  elif cmp -s kill.txt new.sheet; then
    new=$((new + 1))
  else
    cp kill.txt "torn_round_$round.txt" 2>/dev/null || true
    e2e_fail "round $round: the sheet is neither the old nor the new one ($(stat -c %s kill.txt 2>/dev/null || echo missing) bytes)"
  fi
done
echo "$rounds kills while saving ($midsave in the middle of a write): sheet old $old times, new $new times, never torn"
((new > 0)) || e2e_fail "no save happened before any kill: F2 never reached an answer box"
