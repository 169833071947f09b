#!/usr/bin/env bash
# mirvo build / inspect / check against outside readers: wrestool lists
# exactly the resources written, pefile finds the file well formed with a
# valid CheckSum, Wine still starts it, inspect(build(source)) == source, and
# bad sources fail with file:line: messages.
set -euo pipefail
shopt -s nullglob
ROOT=${MIRVO_ROOT:-$(cd "$(dirname "$0")/../.." && pwd)}
CLI=${MIRVO_CLI:?set MIRVO_CLI to the mirvo binary}
OUT=${MIRVO_TEST_OUT:-/tmp/mirvo-cli-tests}/authoring
DATA=$ROOT/tests/data/authoring
PLAYER=$DATA/tiny.exe
PY=/usr/bin/python3
rm -rf "$OUT" && mkdir -p "$OUT"
cd "$OUT"
cp "$DATA"/red.jpg "$DATA"/green.gif "$DATA"/beep.mp3 "$DATA"/blank.avi "$DATA"/fake.jpg .
fail() { echo "FAIL: $*" >&2; exit 1; }

# name|source: one quiz per layout, written the way inspect writes them.
write_sources() {
  cat > text.toml <<'T'
title = "Capitales d'Europe"
creator = "Atelier géo"
explanation = "Donnez la capitale de chaque pays."
layout = "text"
answers = 1
reveal = "explanation"
background = "#5A5F96"
codes = ["CODE-1", "", "CODE-3 €"]

[[question]]
text = "France"
answer = "Paris"
explanation = "Capitale depuis 508."

[[question]]
text = "Italie \"la botte\""
answer = "Rome"

[[question]]
text = "Espagne"
answer = "Madrid"
T
  cat > picture.toml <<'T'
title = "Héros"
creator = "c"
layout = "picture"
answers = 2
reveal = "both"
background = "#35CBA3"
columns = ["Prénom - Nom", "Manga / Anime"]

[[question]]
answer = "Son Goku"
answer2 = "Dragon Ball"
explanation = "Saiyan"
media = "media/q01.jpg"
answer_picture = "media/a01.gif"

[[question]]
answer = "Luffy"
answer2 = "One Piece"
media = "media/q02.gif"
T
  cat > audio.toml <<'T'
title = "Blind test"
creator = "DJ"
layout = "audio"
answers = 1
reveal = "picture"
background = "#000000"
codes = ["BRAVO-1"]

[[question]]
answer = "La Marseillaise"
media = "media/q01.mp3"
answer_picture = "media/a01.jpg"
T
  cat > video.toml <<'T'
title = "Films"
creator = "Ciné"
layout = "video"
answers = 1
reveal = "none"
background = "#102030"

[[question]]
answer = "Metropolis"
media = "media/q01.avi"
T
  mkdir -p media
  cp red.jpg media/q01.jpg; cp green.gif media/a01.gif; cp green.gif media/q02.gif
  cp beep.mp3 media/q01.mp3; cp red.jpg media/a01.jpg; cp blank.avi media/q01.avi
}
write_sources

# The list of type/name pairs wrestool sees, sorted.
listing() { wrestool -l "$1" | sed -E "s/^--type=('?[^ ']+'?) --name=([0-9]+) --language=([0-9]+).*/\1 \2 \3/" | sort; }
player_listing=$(listing "$PLAYER")

for name in text picture audio video; do
  "$CLI" check $name.toml >/dev/null || fail "check $name"
  "$CLI" build $name.toml -o $name.exe --player "$PLAYER" >/dev/null || fail "build $name"

  # Exactly the player's resources plus the quiz's.
  expected=$( { echo "$player_listing"; echo "'PATCH' 104 0"; echo "'PATCH' 105 0"
                while read -r key n; do
                  if [[ $key == media ]]; then echo "'IMG' $((400 + 10#$n)) 0"; else echo "'IMG' $((10400 + 10#$n)) 0"; fi
                done < <(sed -nE 's/^(media|answer_picture) = "media\/[qa]([0-9]+).*/\1 \2/p' $name.toml); } | sort)
  [[ $(listing $name.exe) == "$expected" ]] || { diff <(listing $name.exe) <(echo "$expected"); fail "wrestool list of $name"; }

  $PY - "$name.exe" <<'P' || fail "pefile on $name.exe"
import sys, pefile
pe = pefile.PE(sys.argv[1])
structural = [w for w in pe.get_warnings() if "makes up" not in w]  # tiny.exe is mostly zeros
assert not structural, structural
assert pe.OPTIONAL_HEADER.CheckSum == pe.generate_checksum(), "CheckSum"
assert pe.verify_checksum()
last = pe.sections[-1]
assert pe.OPTIONAL_HEADER.SizeOfImage == (last.VirtualAddress + last.Misc_VirtualSize + 0xFFF) & ~0xFFF
assert pe.OPTIONAL_HEADER.DATA_DIRECTORY[2].VirtualAddress == last.VirtualAddress
assert any(s.Name.rstrip(b"\0") == b".reloc" for s in pe.sections)
P

  # inspect gives the source back (media under inspect's names), and
  # building that source gives the same executable.
  rm -rf back_$name
  "$CLI" inspect $name.exe -o back_$name >/dev/null || fail "inspect $name"
  $PY - $name.toml back_$name/$name.toml <<'P' || fail "inspect(build($name)) differs from $name.toml"
import sys, toml
a, b = (toml.load(p) for p in sys.argv[1:])
assert a == b, (a, b)
P
  for f in back_$name/media/*; do cmp -s "$f" "media/$(basename "$f")" || fail "media $f"; done
  "$CLI" build back_$name/$name.toml -o again_$name.exe --player "$PLAYER" >/dev/null || fail "rebuild $name"
  cmp -s $name.exe again_$name.exe || fail "rebuilt $name.exe differs"
  [[ $("$CLI" inspect $name.exe) == "$(cat back_$name/$name.toml)" ]] || fail "inspect to stdout of $name"
done

# A built quiz serves as the player of the next build: the old quiz goes.
"$CLI" build video.toml -o rebuilt.exe --player picture.exe >/dev/null || fail "build over a quiz"
cmp -s rebuilt.exe video.exe || [[ $(listing rebuilt.exe) == "$(listing video.exe)" ]] || fail "rebuild over a quiz"

# The built copy still loads and runs (tiny.exe returns 0 when its relocated pointer works).
if [[ ${MIRVO_SKIP_WINE:-} != 1 ]]; then
  "$ROOT/cmake/wine-run.sh" ./picture.exe || fail "picture.exe does not run under Wine"
fi

# The bare player inspects as the demonstration quiz, with a note.
"$CLI" inspect "$PLAYER" >demo.toml 2>demo.err || fail "inspect of the bare player"
grep -q '^title = "Nom du mirvo"$' demo.toml || fail "demonstration title"
grep -q 'demonstration quiz' demo.err || fail "demonstration note"

# Errors: one message naming file:line:, exit code 1, no output file.
expect_error() {  # source-text expected-message-start
  printf '%s' "$1" > bad.toml
  rm -f bad.exe
  if "$CLI" build bad.toml -o bad.exe --player "$PLAYER" >/dev/null 2>bad.err; then fail "built: $1"; fi
  [[ $(head -c ${#2} bad.err) == "$2" ]] || fail "message '$(cat bad.err)' is not '$2...'"
  [[ ! -e bad.exe ]] || fail "bad.exe written for: $1"
}
expect_error $'title = "T"\nlayout = "grid"\n[[question]]\nanswer = "a"\n' \
  'mirvo build: bad.toml:2: unknown layout "grid"'
expect_error $'title = "T"\n[[question]]\nanswer = "Ελλάδα"\n' \
  'mirvo build: bad.toml:3: answer: the character U+0395 has no Windows-1252 byte'
expect_error $'title = "T"\nlayout = "picture"\n[[question]]\nanswer = "a"\nmedia = "fake.jpg"\n' \
  'mirvo build: bad.toml:5: "fake.jpg" is not a JPEG or GIF picture'
expect_error $'title = "T"\nlayout = "picture"\n[[question]]\nanswer = "a"\nmedia = "none.gif"\n' \
  'mirvo build: bad.toml:5: cannot read the media file "none.gif"'

# Players it must refuse.
head -c 3000 "$PLAYER" > cut.exe
if "$CLI" build text.toml -o x.exe --player cut.exe 2>err.txt; then fail "built on a truncated player"; fi
grep -q 'cut.exe: a section runs past the end of the file' err.txt || fail "truncated: $(cat err.txt)"
if "$CLI" build text.toml -o x.exe --player text.toml 2>err.txt; then fail "built on a text file"; fi
grep -q 'not a Windows executable' err.txt || fail "not PE: $(cat err.txt)"
if "$CLI" build text.toml -o x.exe --player nowhere.exe 2>err.txt; then fail "built without a player"; fi
grep -q 'cannot read the player' err.txt || fail "missing player: $(cat err.txt)"
echo "authoring CLI: ok"
