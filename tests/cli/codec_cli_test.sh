#!/usr/bin/env bash
# `mirvo pack` / `mirvo unpack` on files: documented bytes, round trips,
# and one-line failures with exit 1.
set -euo pipefail

CLI=${MIRVO_CLI:?MIRVO_CLI must name the mirvo binary}
OUT=${MIRVO_TEST_OUT:?MIRVO_TEST_OUT must name a scratch folder}/codec
rm -rf "$OUT"
mkdir -p "$OUT"
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

hex() { od -An -v -tx1 "$1" 2>/dev/null | tr -d ' \n' || true; }

# Documented streams.
while read -r input expected; do
  printf '%s' "$input" >"$OUT/in"
  if ! "$CLI" pack "$OUT/in" "$OUT/packed"; then
    fail "pack of «$input» exited $?"
    continue
  fi
  got=$(hex "$OUT/packed")
  [[ $got == "$expected" ]] || fail "pack of «$input» gave $got, expected $expected"
  "$CLI" unpack "$OUT/packed" "$OUT/back" || fail "unpack of «$input»'s stream exited $?"
  cmp -s "$OUT/in" "$OUT/back" || fail "unpack of «$input»'s stream gave $(hex "$OUT/back")"
done <<'ROWS'
A 20c000
abc 30988c7000
aaa 30c0e000
ROWS

# Round trips: random and text, up to the largest input pack takes.
# (yes dies of SIGPIPE once head has enough; that is not a failure here.)
text() { (set +o pipefail; yes 'Le quiz de l'\''été: trouvez la réponse à chaque question, prénom et nom.' | head -c "$1"); }
for size in 1 4095 4096 65535; do
  head -c "$size" /dev/urandom >"$OUT/random-$size"
  text "$size" >"$OUT/text-$size"
  for f in "$OUT/random-$size" "$OUT/text-$size"; do
    if "$CLI" pack "$f" "$f.packed" && "$CLI" unpack "$f.packed" "$f.back"; then
      cmp -s "$f" "$f.back" || fail "round trip of $(basename "$f") differs"
    else
      fail "round trip of $(basename "$f") failed"
    fi
  done
done

# Failures: exit 1, nothing on stdout, one stderr line naming the code, no OUT.
printf '' >"$OUT/empty"
head -c 65536 /dev/zero >"$OUT/too-large"
printf '\x30\x98\x8c' >"$OUT/cut"
while IFS='|' read -r verb input pattern; do
  rm -f "$OUT/never"
  set +e
  "$CLI" "$verb" "$OUT/$input" "$OUT/never" >"$OUT/stdout" 2>"$OUT/stderr"
  code=$?
  set -e
  [[ $code == 1 ]] || fail "$verb $input exited $code, expected 1"
  [[ ! -s $OUT/stdout ]] || fail "$verb $input wrote to stdout"
  [[ $(wc -l <"$OUT/stderr") == 1 ]] || fail "$verb $input: stderr is not one line: $(cat "$OUT/stderr")"
  grep -q -- "$pattern" "$OUT/stderr" || fail "$verb $input: stderr lacks '$pattern': $(cat "$OUT/stderr")"
  [[ ! -e $OUT/never ]] || fail "$verb $input created its output"
done <<'ROWS'
pack|empty|-5 (no input
unpack|empty|-5 (no input
unpack|cut|-7 (bad stream
pack|too-large|-8 (input too large
pack|missing|cannot open
ROWS

help=$("$CLI" pack --help) || fail "pack --help failed"
[[ $help == *IN*OUT* ]] || fail "pack --help does not describe IN and OUT"
"$CLI" unpack --help >/dev/null || fail "unpack --help failed"

if ((failures > 0)); then
  echo "$failures failure(s)" >&2
  exit 1
fi
echo "codec CLI: all checks passed"
