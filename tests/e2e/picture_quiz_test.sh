#!/usr/bin/env bash
# Picture quizzes, one and two answers per question, open with their titles.
# The pictures are wide, tall and small against the 260 x 260 box, and one
# question has none: its cell keeps an empty frame of the row's height.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/quiz_window.sh"
e2e_setup picture_quiz
e2e_copy_pictures

cat >"$E2E_DIR/one.toml" <<'TOML'
title = "Couleurs et formes"
creator = "Atelier image"
explanation = "Quelle couleur voyez-vous ?"
layout = "picture"
answers = 1
reveal = "none"

[[question]]
answer = "rouge"
media = "img/q450x156.jpg"

[[question]]
answer = "bleu"
media = "img/q180x135.gif"

[[question]]
answer = "vert"
media = "img/q600x400.jpg"

[[question]]
answer = "orange"
media = "img/q210x262.gif"

[[question]]
answer = "violet"
media = "img/q180x349.jpg"

[[question]]
answer = "rien"
TOML

cat >"$E2E_DIR/two.toml" <<'TOML'
title = "Couleurs en deux mots"
creator = "Atelier image"
explanation = "Donnez la couleur et sa nuance."
layout = "picture"
answers = 2
reveal = "explanation"
columns = ["Couleur", "Nuance préférée"]

[[question]]
answer = "rouge"
answer2 = "vif"
explanation = "Un dégradé vers le jaune."
media = "img/q450x156.jpg"

[[question]]
answer = "bleu"
answer2 = "profond"
explanation = "Bleu uni."
media = "img/q180x135.gif"

[[question]]
answer = "vert"
answer2 = "pâle"
explanation = "Vert vers le blanc."
media = "img/q600x400.jpg"

[[question]]
answer = "orange"
answer2 = "franc"
explanation = "Orange uni."
media = "img/q210x262.gif"
TOML

e2e_build_quiz one.toml one.exe
e2e_build_quiz two.toml two.exe
e2e_show_quiz one.exe "Couleurs et formes" picture_one_answer.png
e2e_show_quiz two.exe "Couleurs en deux mots" picture_two_answers.png
