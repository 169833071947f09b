#!/usr/bin/env bash
# Answer sheets anyone could have edited: the player starts, restores what it
# can, and the save on close writes a well-formed sheet of one line per box.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/hostile_lib.sh"
e2e_setup hostile_sheet
cd "$E2E_DIR"
hostile_text_quiz sheet.exe Sheets 3

LC_ALL=C awk 'BEGIN { srand(11); for (i = 0; i < 4000; i++) printf "%c", int(rand() * 256) }' >binary.sheet
head -c $((10 * 1024 * 1024)) /dev/zero | tr '\0' a >long_line.sheet
{ printf 'answer 1\r\nanswer 2\r\n'; for ((i = 0; i < 100000; i++)); do printf 'line %d\r\n' "$i"; done; } >many_lines.sheet
printf 'answer 1\0tail\r\n\0\0\0\r\nans\0wer 3\r\n' >nul_bytes.sheet

# name | sheet file ("dir" for a directory) | first line after the save ("*": any)
rows=(
  "binary_bytes|binary.sheet|*"
  "10_MB_single_line|long_line.sheet|$(head -c 259 /dev/zero | tr '\0' a)"
  "100000_lines|many_lines.sheet|answer 1"
  "nul_bytes|nul_bytes.sheet|answer 1"
  "directory|dir|"
)
failures=0
for row in "${rows[@]}"; do
  IFS='|' read -r name sheet first <<<"$row"
  rm -rf sheet.txt sheet.txt.tmp
  if [[ $sheet == dir ]]; then mkdir sheet.txt; else cp "$sheet" sheet.txt; fi
  if ! hostile_play sheet.exe || [[ $HOSTILE_TITLE != Sheets ]]; then
    echo "$name: FAILED: ${HOSTILE_ERROR:-title \"$HOSTILE_TITLE\"}"
    failures=$((failures + 1))
    continue
  fi
  if [[ $sheet == dir ]]; then
    # Nothing can replace a directory; it must still be one, and untouched.
    if [[ -d sheet.txt ]] && [[ -z $(ls -A sheet.txt) ]]; then
      echo "$name: started and closed; the directory is left as it was"
    else
      echo "$name: FAILED: the directory was changed"
      failures=$((failures + 1))
    fi
    continue
  fi
  if ! hostile_check_sheet sheet.txt 3; then
    echo "$name: FAILED: the saved sheet is not well formed"
    failures=$((failures + 1))
    continue
  fi
  saved_first=$(head -n1 sheet.txt | tr -d '\r')
  if [[ $first != "*" && $saved_first != "$first" ]]; then
    echo "$name: FAILED: first box saved as '${saved_first:0:40}', expected '${first:0:40}'"
    failures=$((failures + 1))
    continue
  fi
  echo "$name: started, restored, saved $(stat -c %s sheet.txt) bytes in 3 CR LF lines"
done
((failures == 0)) || e2e_fail "$failures hostile sheet rows failed"
