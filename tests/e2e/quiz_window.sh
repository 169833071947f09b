# Shared by the quiz window scripts: build a quiz executable from a TOML
# source with `mirvo build`, start it, wait for its main window by title,
# keep a screenshot, close it. Source after lib.sh.

# e2e_build_quiz SOURCE EXE: builds $E2E_DIR/EXE from $E2E_DIR/SOURCE.
e2e_build_quiz() {
  [[ -x $MIRVO_CLI ]] || e2e_fail "no authoring tool at $MIRVO_CLI (build the host preset first)"
  (cd "$E2E_DIR" && "$MIRVO_CLI" build "$1" -o "$2" --player "$MIRVO_PLAYER") \
    || e2e_fail "mirvo build $1 failed"
}

# e2e_show_quiz EXE TITLE SHOT: starts EXE, waits for the window named TITLE
# (UTF-8), saves the screen as $E2E_DIR/SHOT and closes the player.
e2e_show_quiz() {
  local win
  e2e_start "$1"
  win=$(e2e_wait_window "$2")
  # The first paint follows the mapping; give it a moment.
  sleep 1
  e2e_screenshot "$E2E_DIR/$3"
  [[ -s $E2E_DIR/$3 ]] || e2e_fail "no screenshot written"
  e2e_close "$win"
  echo "window '$2' seen, screenshot at $E2E_DIR/$3"
}

# e2e_copy_pictures: the small test pictures into $E2E_DIR/img.
e2e_copy_pictures() {
  mkdir -p "$E2E_DIR/img"
  cp "$MIRVO_ROOT"/tests/data/pictures/*.jpg "$MIRVO_ROOT"/tests/data/pictures/*.gif "$E2E_DIR/img/"
}
