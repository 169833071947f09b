#!/usr/bin/env bash
# Good descriptions with hostile reward codes or pictures. Bad codes are told
# with a message box and the quiz goes on without them; pictures that cannot
# be shown leave their boxes empty, silently.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/hostile_lib.sh"
e2e_setup hostile_media
cd "$E2E_DIR"
hostile_make_inputs

# name | resources | message box expected | main window title
hostile_table \
  "zero_questions|PATCH/104+=zero.desc PATCH/105=empty|yes|Zero" \
  "codes_missing|PATCH/104+=good.desc|yes|Hostile" \
  "packed_codes_cut|PATCH/104+=good.desc PATCH/105=half.codes.lzw|yes|Hostile" \
  "codes_garbled|PATCH/104+=good.desc PATCH/105=garbage|yes|Hostile" \
  "codes_code_above_next_free|PATCH/104+=good.desc PATCH/105=above_free.lzw|yes|Hostile" \
  "codes_without_line_end|PATCH/104+=good.desc PATCH/105+=codes_no_crlf|yes|Hostile" \
  "picture_not_a_picture|PATCH/104+=pictures.desc PATCH/105+=one.codes IMG/401=text.img IMG/10401=garbage|no|Pictures" \
  "picture_empty|PATCH/104+=pictures.desc PATCH/105+=one.codes IMG/401=empty|no|Pictures" \
  "picture_jpeg_cut_in_half|PATCH/104+=pictures.desc PATCH/105+=one.codes IMG/401=half.jpg IMG/10401=half.jpg|no|Pictures" \
  "picture_50_megapixel_jpeg|PATCH/104+=pictures.desc PATCH/105+=one.codes IMG/401=big.jpg|no|Pictures" \
  "picture_50_megapixel_gif|PATCH/104+=pictures.desc PATCH/105+=one.codes IMG/401=big.gif IMG/10401=big.gif|no|Pictures"
