#!/usr/bin/env bash
# The bare player carries no quiz: it shows the demonstration quiz, whose
# main window is titled "Nom du mirvo".
source "$(dirname "$0")/lib.sh"
e2e_setup demo_window
cp "$MIRVO_PLAYER" "$E2E_DIR/player.exe"
e2e_start player.exe
win=$(e2e_wait_window "Nom du mirvo")
e2e_screenshot "$E2E_DIR/demo.png"
e2e_close "$win"
echo "demo window seen, screenshot at $E2E_DIR/demo.png"
