#!/usr/bin/env bash
# `mirvo judge` through the real binary: UTF-8 in, Windows-1252 judged,
# the verdict printed in UTF-8.
set -u
cli=${MIRVO_CLI:?MIRVO_CLI names the mirvo binary}
out=${MIRVO_TEST_OUT:-/tmp}/judge_cli
mkdir -p "$out"
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# expected | typed | verdict, one case a line; bash $'...' quoting for tabs and blanks.
cases=(
  "Paris"                "  paris "           "BRAVO"
  "Paris"                $'paris\t'           "Quasiment"
  "Été"                  "été"                "Quasiment"
  "Rome "                "Rome"               "Quasiment"
  "Roma"                 "amor"               "Anagramme"
  "AB"                   "ba"                 "Anagramme"
  "ABCDEFGHIJ"           "ABCDEFGH"           "Presque"
  "ABCDEFGHIJ"           "ABCDEFG"            "pas loin"
  "ABCDEFGHIJ"           "ABCDEF"             "pas loin"
  "ABCDEFGHIJ"           "ABCDE"              "FAUX"
  "ABCDEFGHIJ"           "BCDEFGH"            "pas loin"
  "ABCDEFGHIJK"          "ABCDEFGH"           "Trop court"
  "ABCDEFGHI"            "ABCDEF"             "FAUX"
  "chat"                 "le chat noir"       "Trop long"
  "chat"                 "chats"              "Quasiment"
  "chat"                 "chattes"            "Trop long"
  "AAB"                  "XAABXXX"            "Trop long"
  "AAB"                  "AAABXXX"            "FAUX"
  "ABCDEFGHIJKLMNO"      "ABCDEFGHIJKLXYZ"    "FAUX"
  "ABCDEFGHIJKLMNOP"     "ABCDEFGHIJKLMXYZ"   "y a de l'idée"
  ""                     "a"                  "Quasiment"
  ""                     "ab"                 "Presque"
  ""                     "abc"                "FAUX"
  "Paris"                "   "                "?"
  "Paris"                ""                   "?"
  "Œuvre"                "œuvre"              "Quasiment"
)
for ((i = 0; i < ${#cases[@]}; i += 3)); do
  expected=${cases[i]} typed=${cases[i + 1]} want=${cases[i + 2]}
  got=$("$cli" judge "$expected" "$typed" 2>"$out/stderr")
  rc=$?
  [[ $rc -eq 0 ]] || fail "judge «$expected» «$typed»: exit $rc: $(cat "$out/stderr")"
  [[ "$got" == "$want" ]] || fail "judge «$expected» «$typed»: got «$got», want «$want»"
done

# The verdict line is UTF-8 and ends in a newline.
"$cli" judge "ABCDEFGHIJKLMNOP" "ABCDEFGHIJKLMXYZ" >"$out/verdict"
printf "y a de l'id\xc3\xa9e\n" | cmp -s - "$out/verdict" || fail "verdict bytes: $(od -c "$out/verdict")"

# --explain adds the figures on a second line.
got=$("$cli" judge --explain "ABCDEFGHIJ" " abcdefg ")
want=$'pas loin\ndistance 3, containment -2, expected length 10, typed length 7 (after trimming)'
[[ "$got" == "$want" ]] || fail "--explain: got «$got»"
got=$("$cli" judge "chat" "chats" --explain | sed -n 2p)
[[ "$got" == "distance 1, containment not reached, expected length 4, typed length 5 (after trimming)" ]] ||
  fail "--explain before containment: got «$got»"

# Texts the player cannot hold: exit 2, one message naming the trouble, no verdict.
expect_refusal() {
  local what=$1 pattern=$2
  shift 2
  "$cli" judge "$@" >"$out/stdout" 2>"$out/stderr"
  local rc=$?
  [[ $rc -eq 2 ]] || fail "$what: exit $rc, want 2"
  grep -q -- "$pattern" "$out/stderr" || fail "$what: stderr «$(cat "$out/stderr")» lacks «$pattern»"
  [[ ! -s "$out/stdout" ]] || fail "$what: printed «$(cat "$out/stdout")»"
}
expect_refusal "rouble sign typed" "TYPED holds U+20BD" "rouble" "10 ₽"
expect_refusal "Greek letter expected" "EXPECTED holds U+03B1" "α" "a"
expect_refusal "malformed UTF-8" "not valid UTF-8" $'caf\xe9' "cafe"
expect_refusal "longer than a slot" "at most 259" "$(printf 'a%.0s' {1..260})" "a"

# 259 characters still fit.
long=$(printf 'a%.0s' {1..259})
got=$("$cli" judge "$long" "$long") || fail "259 characters refused"
[[ "$got" == "BRAVO" ]] || fail "259 characters: got «$got»"

if ((failures > 0)); then
  echo "$failures failure(s)" >&2
  exit 1
fi
echo "judge: all cases pass"
