#!/usr/bin/env bash
# A quiz with far more rows than the 544 x 375 window still opens; its panel
# scrolls (the screenshot shows the first rows and both bars).
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/quiz_window.sh"
e2e_setup long_quiz
{
  echo 'title = "Quarante questions"'
  echo 'creator = "Atelier long"'
  echo 'layout = "text"'
  for i in $(seq 1 40); do
    printf '\n[[question]]\ntext = "Question numéro %d : combien font %d et %d ?"\nanswer = "%d"\n' \
      "$i" "$i" "$i" "$((2 * i))"
  done
} >"$E2E_DIR/quiz.toml"
e2e_build_quiz quiz.toml long.exe
e2e_show_quiz long.exe "Quarante questions" long_quiz.png
