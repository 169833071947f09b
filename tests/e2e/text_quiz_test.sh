#!/usr/bin/env bash
# A text quiz with French accents opens with its title as the window name.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/quiz_window.sh"
e2e_setup text_quiz
cat >"$E2E_DIR/quiz.toml" <<'TOML'
title = "Géographie à la française"
creator = "Atelier élève"
explanation = "Trouvez la réponse à chaque énigme."
layout = "text"
answers = 1
codes = ["PREMIER", "DEUXIÈME"]

[[question]]
text = "Où se trouve la tour Eiffel ?"
answer = "Paris"

[[question]]
text = "Capitale de la Bretagne, célèbre pour ses crêpes"
answer = "Rennes"

[[question]]
text = "Fleuve qui traverse Lyon et Avignon (à l'est)"
answer = "Rhône"

[[question]]
text = "Île de beauté, 100 % méditerranéenne"
answer = "Corse"
TOML
e2e_build_quiz quiz.toml geo.exe
e2e_show_quiz geo.exe "Géographie à la française" text_quiz.png
