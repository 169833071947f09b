#!/usr/bin/env bash
# A quiz built by `mirvo build` starts in the player under Wine, and its main
# window carries the quiz title (Windows-1252 in the quiz, UTF-8 on X).
source "$(dirname "$0")/lib.sh"
e2e_setup built_quiz_title
cat > "$E2E_DIR/quiz.toml" <<'T'
title = "Capitales d'Europe – géo"
creator = "Atelier"
layout = "text"
answers = 1
codes = ["BRAVO"]

[[question]]
text = "France"
answer = "Paris"
T
"$MIRVO_CLI" build "$E2E_DIR/quiz.toml" -o "$E2E_DIR/capitales.exe" --player "$MIRVO_PLAYER" ||
  e2e_fail "mirvo build failed"
e2e_start capitales.exe
win=$(e2e_wait_window "Capitales d'Europe – géo")
e2e_screenshot "$E2E_DIR/capitales.png"
e2e_close "$win"
echo "built quiz window seen, screenshot at $E2E_DIR/capitales.png"
