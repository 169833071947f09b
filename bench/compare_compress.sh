#!/usr/bin/env bash
# Times the quiz codec (lzw_bench) and the classic `compress` command on the
# same inputs, per input byte, and prints both with their ratio.
#   bench/compare_compress.sh [path/to/lzw_bench]
# Default: build/host/bench/lzw_bench (cmake --build --preset host --target lzw_bench).
# Both sides are CPU time (the machine may be shared): the benchmark's CPU
# column, and user + system time of the `compress` processes. `compress` runs
# as a process per input, so the cost of starting it on a one-byte input is
# subtracted.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BENCH=${1:-$ROOT/build/host/bench/lzw_bench}
RUNS=${RUNS:-200}
[[ -x $BENCH ]] || { echo "no benchmark at $BENCH; build the lzw_bench target first" >&2; exit 1; }
command -v compress >/dev/null || { echo "compress not found (Debian package ncompress)" >&2; exit 1; }

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
"$BENCH" --write-inputs "$WORK"
printf 'x' >"$WORK/tiny.bin"

# CPU nanoseconds (user + system) of RUNS runs of: compress ARGS < FILE > /dev/null
time_compress() {
  local file=$1 i TIMEFORMAT='%3U %3S' t
  shift
  t=$( { time (for ((i = 0; i < RUNS; i++)); do compress "$@" <"$file" >/dev/null || true; done) ; } 2>&1 )
  awk -v t="$t" 'BEGIN { split(t, a, " "); printf "%.0f", (a[1] + a[2]) * 1e9 }'
}

# ns per input byte of the codec, from Google Benchmark's CSV (CPU time).
"$BENCH" --benchmark_format=csv --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \
  2>/dev/null >"$WORK/bench.csv"
codec_ns() {  # NAME (BM_Pack/0 ...) -> ns per byte
  awk -F, -v name="\"$1_median\"" -v size="$2" '$1 == name { t = $4; u = $5;
      f = (u == "ns") ? 1 : (u == "us") ? 1e3 : (u == "ms") ? 1e6 : 1e9; printf "%.3f", t * f / size }' \
    "$WORK/bench.csv"
}

start_pack=$(time_compress "$WORK/tiny.bin" -c)
compress -c <"$WORK/tiny.bin" >"$WORK/tiny.Z" || true  # exit 2: "no savings", output still written
start_unpack=$(time_compress "$WORK/tiny.Z" -d -c)

printf '%-8s %-8s %14s %14s %8s\n' input step "mirvo ns/B" "compress ns/B" ratio
for which in 0 1; do
  name=$([[ $which == 0 ]] && echo text || echo random)
  file=$WORK/$name.bin
  size=$(stat -c %s "$file")
  compress -c <"$file" >"$file.Z" || true
  for step in pack unpack; do
    if [[ $step == pack ]]; then
      total=$(time_compress "$file" -c)
      base=$start_pack
      mine=$(codec_ns BM_Pack/$which "$size")
    else
      total=$(time_compress "$file.Z" -d -c)
      base=$start_unpack
      mine=$(codec_ns BM_Unpack/$which "$size")
    fi
    theirs=$(awk -v t="$total" -v b="$base" -v r="$RUNS" -v s="$size" 'BEGIN { v = (t - b) / r / s; if (v < 0) v = 0; printf "%.3f", v }')
    ratio=$(awk -v a="$theirs" -v b="$mine" 'BEGIN { if (b > 0) printf "%.2fx", a / b; else print "-" }')
    printf '%-8s %-8s %14s %14s %8s\n' "$name" "$step" "$mine" "$theirs" "$ratio"
  done
done
echo "(ratio: compress time over mirvo time; above 1 means mirvo is faster)"
