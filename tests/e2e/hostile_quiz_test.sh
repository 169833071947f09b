#!/usr/bin/env bash
# Quiz descriptions that no authoring tool would write: each quiz must start
# under Wine without crashing, say with a message box that it cannot read its
# description, and go on to the constructed quiz's window, which closes
# cleanly. The rows with pictures and reward codes are hostile_media_test.sh.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/hostile_lib.sh"
e2e_setup hostile_quiz
cd "$E2E_DIR"
hostile_make_inputs

# name | resources | message box expected | main window title ("nom du mirvo"
# is the constructed quiz's, kept when the description cannot be read)
hostile_table \
  "no_description||no|Nom du mirvo" \
  "empty_description|PATCH/104=empty|no|Nom du mirvo" \
  "packed_description_cut|PATCH/104=half.desc.lzw PATCH/105+=good.codes|yes|nom du mirvo" \
  "garbled_description|PATCH/104=garbage PATCH/105+=good.codes|yes|nom du mirvo" \
  "code_above_next_free|PATCH/104=above_free.lzw PATCH/105+=good.codes|yes|nom du mirvo" \
  "description_ends_early|PATCH/104+=cut.desc PATCH/105+=good.codes|yes|nom du mirvo" \
  "no_separators|PATCH/104+=no_separators.desc PATCH/105+=good.codes|yes|nom du mirvo" \
  "field_of_300_bytes|PATCH/104+=field300.desc PATCH/105+=good.codes|yes|nom du mirvo" \
  "255_questions|PATCH/104+=q255.desc PATCH/105+=good.codes|yes|nom du mirvo" \
  "type_byte_0|PATCH/104+=type0.desc PATCH/105+=one.codes|yes|nom du mirvo" \
  "type_byte_9|PATCH/104+=type9.desc PATCH/105+=one.codes|yes|nom du mirvo" \
  "answers_byte_0|PATCH/104+=answers0.desc PATCH/105+=one.codes|yes|nom du mirvo" \
  "answers_byte_3|PATCH/104+=answers3.desc PATCH/105+=one.codes|yes|nom du mirvo"
