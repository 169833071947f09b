#!/usr/bin/env bash
# A whole game with the keyboard: answers typed in a built quiz, judged on Tab
# and Enter, spread with F1, saved with F2 and on Alt+F4; then a second start
# that restores the sheet, judges and scores it.
source "$(dirname "$0")/lib.sh"
e2e_setup play_quiz
[[ -x $MIRVO_CLI ]] || e2e_fail "no mirvo at $MIRVO_CLI"

cat >"$E2E_DIR/quiz.toml" <<'TOML'
title = "Capitales"
creator = "Atelier"
layout = "text"
answers = 1
codes = ["CODE-1", "CODE-2", "CODE-3", "CODE-4"]

[[question]]
text = "France"
answer = "Paris"

[[question]]
text = "Italie"
answer = "Rome"

[[question]]
text = "Empire romain"
answer = "Rome"

[[question]]
text = "Espagne"
answer = "Madrid"
TOML
"$MIRVO_CLI" build "$E2E_DIR/quiz.toml" -o "$E2E_DIR/quiz.exe" --player "$MIRVO_PLAYER" \
  || e2e_fail "mirvo build failed"
sheet=$E2E_DIR/quiz.txt

# Screen position of the top-left pixel of the first question label's light
# yellow inside, that is panel client (51, 6); everything else is found from it.
PANEL_X=0 PANEL_Y=0
find_panel() {
  local shot=$1 origin
  origin=$(e2e_colour_origin "$shot" '#FFFFC0') || e2e_fail "no question label on screen ($shot)"
  PANEL_X=$((${origin% *} - 51))
  PANEL_Y=$((${origin#* } - 6))
}

count_colour() { e2e_count_colour "$@"; }

start_quiz() {
  e2e_start quiz.exe
  win=$(e2e_wait_window "Capitales")
  # Wide enough for the 850-pixel text rows.
  xdotool windowsize --sync "$win" 960 420 2>/dev/null || xdotool windowsize "$win" 960 420
  sleep 1
  e2e_screenshot "$E2E_DIR/$1.png"
  find_panel "$E2E_DIR/$1.png"
}

key() { xdotool key --clearmodifiers "$@"; sleep 0.6; }
typed() { xdotool type --delay 60 "$1"; sleep 0.4; }

# ---- First game.
start_quiz first
# Box 1 sits at panel (610, 5), 100 x 20. A click that comes before the
# player is ready is lost, so try again until box 1 shows its verdict;
# Shift+Tab comes back into box 1 with its text selected, so typing replaces.
for attempt in 1 2 3; do
  xdotool mousemove $((PANEL_X + 660)) $((PANEL_Y + 15)) click 1
  sleep 0.5
  key Tab
  key shift+Tab
  typed "paris"
  key Tab            # box 1 judged on leaving: BRAVO
  e2e_screenshot "$E2E_DIR/first_answer.png"
  (($(count_colour "$E2E_DIR/first_answer.png" '#00FF00') > 1000)) && break
  ((attempt < 3)) || e2e_fail "box 1 never took the keyboard"
done
typed "rom"
key Return         # box 2 judged in place: Quasiment
key Tab
typed "Rome"
key F1             # "Rome" into boxes 2, 3 and 4 (box 1 is right)
key F2
sleep 0.5
expected=$'paris\r\nRome\r\nRome\r\nRome\r\n'
[[ -f $sheet ]] || e2e_fail "F2 wrote no sheet"
[[ $(cat "$sheet"; echo .) == "$expected." ]] || e2e_fail "sheet after F2: $(od -c "$sheet" | head)"
e2e_screenshot "$E2E_DIR/after_f1.png"
# Box 4 got "Rome" for "Madrid": its label is red; three green ones.
(($(count_colour "$E2E_DIR/after_f1.png" '#FF0000') > 1000)) || e2e_fail "no FAUX label after F1"

key Tab            # to box 4, whose whole text is selected on focus
typed "madrid"
e2e_close "$win"
expected=$'paris\r\nRome\r\nRome\r\nmadrid\r\n'
[[ $(cat "$sheet"; echo .) == "$expected." ]] || e2e_fail "sheet after Alt+F4: $(od -c "$sheet" | head)"
[[ ! -e $sheet.tmp ]] || e2e_fail "a temporary sheet was left behind"

# ---- Second start: every restored answer is judged right at once.
start_quiz restored
green=$(count_colour "$E2E_DIR/restored.png" '#00FF00')
red=$(count_colour "$E2E_DIR/restored.png" '#FF0000')
# Four 100 x 20 result labels, less their borders and letters.
((green > 4 * 1200)) || e2e_fail "restored answers not all BRAVO ($green green pixels)"
((red == 0)) || e2e_fail "a restored answer is not right ($red red pixels)"
e2e_close "$win"
[[ $(cat "$sheet"; echo .) == "$expected." ]] || e2e_fail "sheet after the second close: $(od -c "$sheet" | head)"
echo "played, saved, restored and judged; screenshots in $E2E_DIR"
