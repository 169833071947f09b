#!/usr/bin/env bash
# Quiz executables that no authoring tool would write, fed to the player: each
# must start under Wine without crashing, say so with a message box where it
# cannot read its quiz, and go on to a main window that closes cleanly.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/hostile_lib.sh"
e2e_setup hostile_quiz
cd "$E2E_DIR"

# --- Inputs -----------------------------------------------------------------
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

# --- The table ----------------------------------------------------------------
# name | resources | message box expected (yes / no) | main window title
# ("" when the quiz could not be read: the window then has no title)
rows=(
  "no_description||no|Nom du mirvo"
  "empty_description|PATCH/104=empty|no|Nom du mirvo"
  "packed_description_cut|PATCH/104=half.desc.lzw PATCH/105+=good.codes|yes|"
  "garbled_description|PATCH/104=garbage PATCH/105+=good.codes|yes|"
  "description_ends_early|PATCH/104+=cut.desc PATCH/105+=good.codes|yes|"
  "no_separators|PATCH/104+=no_separators.desc PATCH/105+=good.codes|yes|"
  "field_of_300_bytes|PATCH/104+=field300.desc PATCH/105+=good.codes|yes|"
  "zero_questions|PATCH/104+=zero.desc PATCH/105=empty|yes|Zero"
  "255_questions|PATCH/104+=q255.desc PATCH/105+=good.codes|yes|"
  "type_byte_0|PATCH/104+=type0.desc PATCH/105+=one.codes|yes|"
  "type_byte_9|PATCH/104+=type9.desc PATCH/105+=one.codes|yes|"
  "answers_byte_0|PATCH/104+=answers0.desc PATCH/105+=one.codes|yes|"
  "answers_byte_3|PATCH/104+=answers3.desc PATCH/105+=one.codes|yes|"
  "code_above_next_free|PATCH/104=above_free.lzw PATCH/105+=good.codes|yes|"
  "codes_missing|PATCH/104+=good.desc|yes|Hostile"
  "packed_codes_cut|PATCH/104+=good.desc PATCH/105=half.codes.lzw|yes|Hostile"
  "codes_garbled|PATCH/104+=good.desc PATCH/105=garbage|yes|Hostile"
  "codes_without_line_end|PATCH/104+=good.desc PATCH/105+=codes_no_crlf|yes|Hostile"
  "codes_code_above_next_free|PATCH/104+=good.desc PATCH/105=above_free.lzw|yes|Hostile"
  "picture_not_a_picture|PATCH/104+=pictures.desc PATCH/105+=one.codes IMG/401=text.img IMG/10401=garbage|no|Pictures"
  "picture_empty|PATCH/104+=pictures.desc PATCH/105+=one.codes IMG/401=empty|no|Pictures"
  "picture_jpeg_cut_in_half|PATCH/104+=pictures.desc PATCH/105+=one.codes IMG/401=half.jpg IMG/10401=half.jpg|no|Pictures"
  "picture_50_megapixel_jpeg|PATCH/104+=pictures.desc PATCH/105+=one.codes IMG/401=big.jpg|no|Pictures"
  "picture_50_megapixel_gif|PATCH/104+=pictures.desc PATCH/105+=one.codes IMG/401=big.gif IMG/10401=big.gif|no|Pictures"
)

failures=0
printf '%-28s %-18s %s\n' row messages "main window"
for row in "${rows[@]}"; do
  IFS='|' read -r name resources want_message want_title <<<"$row"
  exe="h_${name}.exe"
  # shellcheck disable=SC2086 # the resources are one word each
  hostile_quiz "$exe" $resources
  # A failing row is reported and the table goes on.
  if ! hostile_play "$exe"; then
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
