#!/usr/bin/env bash
# Writes the seed corpora: small inputs of our own that reach each parser's
# main paths. Run again after changing it; the files are kept in the tree.
# Beside them, files named by a hash are what long runs found that reaches
# new code (merged with `fuzz_<target> -merge=1 SEEDS FOUND`): kept so that
# the smoke run and the corpus replay start where those runs ended.
# Needs a host C++ compiler (for a throwaway packer) and the tiny PE fixture
# of the writer's tests.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
corpus=$here/corpus

mkdir -p "$corpus"/{lzw_unpack,description,reward_codes,sheet_lines,pe_image,pe_resource_writer,quiz_source}
put() { printf '%b' "$2" >"$corpus/$1"; }

# Descriptions: text / picture layouts, one and two answers, every reveal mode.
put description/text_two_questions '\x00\x01\x02\x01Titre|Cr\xe9ateur|Explications|Question|R\xe9ponse|paris|Capitale ?|rome|Italie ?|\x00\x5a\x5f\x96'
put description/picture_two_answers '\x07\x02\x01\x02T|C|E|L1|L2|a1|a2|q|\x02expl|\x10\x20\x30'
put description/reveal_pairs '\x00\x04\x02\x02T|C|E|L1|L2|a|b|q|c|d|r|\x03x1|y1|x2|y2|\x01\x02\x03'
put description/reveal_high '\x00\x03\x01\x01|||||a||\xff\x00\x00\x00'
put description/no_questions '\x00\x01\x00\x01T|C|E|L1|L2|\x00\x01\x02\x03'
put description/zero_in_field '\x00\x01\x01\x01T\x00i|C|E|L1|L2|a|q|\x01\x01\x02\x03'

# Code lists: the first byte is the question count.
put reward_codes/three '\x03ABC\r\nDEF\r\n\r\n'
put reward_codes/extra_lines '\x01ONE\r\ntwo\r\nthree'
put reward_codes/none '\x00'

# Answer sheets.
put sheet_lines/plain 'Paris\r\n\r\nRome\r\nMilan\r\n\r\nx\r\n'
put sheet_lines/mixed_ends 'ab\rcd\r\nef\r\nlf only\nstill one\r\nno end'
put sheet_lines/binary '\x00\xff\r\r\n\n\r\x00\r\n'

# Packed streams: the packer's own output for the seeds above, and streams
# made bit by bit: a single literal, and a code above the next free one.
packer=$(mktemp -d)/pack
trap 'rm -rf "$(dirname "$packer")"' EXIT
c++ -std=c++20 -O1 -I"$root" -x c++ - "$root/quiz/lzw_codec.cpp" -o "$packer" <<'CPP'
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>
#include "quiz/lzw_codec.h"
int main(int, char** argv) {
  std::ifstream in(argv[1], std::ios::binary);
  std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}}, packed;
  if (mirvo::lzw::pack(bytes, packed) != 0) return 1;
  std::ofstream(argv[2], std::ios::binary).write(reinterpret_cast<const char*>(packed.data()), packed.size());
}
CPP
for f in "$corpus"/description/*; do
  "$packer" "$f" "$corpus/lzw_unpack/$(basename "$f")"
done
head -c 3000 /dev/zero | tr '\0' 'a' >"$corpus/lzw_unpack/run.txt"
"$packer" "$corpus/lzw_unpack/run.txt" "$corpus/lzw_unpack/run"
rm "$corpus/lzw_unpack/run.txt"
put lzw_unpack/literal_a '\x20\xc0\x00'
put lzw_unpack/code_above_free '\x20\xcb\x00'

# Executables: the writer tests' tiny PE32, and its headers alone.
cp "$root/tests/data/authoring/tiny.exe" "$corpus/pe_image/tiny.exe"
cp "$root/tests/data/authoring/tiny.exe" "$corpus/pe_resource_writer/tiny.exe"
head -c 512 "$root/tests/data/authoring/tiny.exe" >"$corpus/pe_image/tiny_headers"

# Quiz sources.
cat >"$corpus/quiz_source/text.toml" <<'TOML'
title = "Capitales à trouver"
creator = "Atelier"
explanation = "Trouvez la capitale."
layout = "text"
answers = 1
reveal = "explanation"
codes = ["PREMIER", "DEUXIÈME"]

[[question]]
text = "France"
answer = "Paris"
explanation = "Évidemment."

[[question]]
text = "Italie"
answer = "Rome"
explanation = ""
TOML
cat >"$corpus/quiz_source/two_answers.toml" <<'TOML'
title = "Deux mots"
creator = "Atelier"
explanation = "Couleur et nuance."
layout = "picture"
answers = 2
reveal = "none"
columns = ["Couleur", "Nuance"]

[[question]]
answer = "rouge"
answer2 = "vif"
TOML
echo "seeds written under $corpus"
