#!/usr/bin/env bash
# Start-up time of a 96-picture quiz against the demonstration quiz: from
# starting the executable under Wine to its main window being mapped.
#
#   bench/startup_bench.sh [RUNS]      (default 5 runs of each, after one warm-up)
#
# Needs build/host/mirvo and build/win32/mirvo-player.exe (or MIRVO_CLI and
# MIRVO_PLAYER). Prints every run and the median of each quiz.
set -euo pipefail
RUNS=${1:-5}
MIRVO_ROOT=${MIRVO_ROOT:-$(cd "$(dirname "$0")/.." && pwd)}
export MIRVO_E2E_OUT=${MIRVO_E2E_OUT:-$MIRVO_ROOT/build/bench}
source "$MIRVO_ROOT/tests/e2e/lib.sh"
source "$MIRVO_ROOT/tests/e2e/quiz_window.sh"
e2e_setup startup

# 96 JPEG pictures of 260 x 260 and larger, with enough detail to cost a
# real decode.
mkdir -p "$E2E_DIR/img"
sizes=(260x260 640x480 800x600 1024x768)
for i in $(seq 1 96); do
  size=${sizes[$((i % ${#sizes[@]}))]}
  /usr/bin/convert -size "$size" -seed "$i" plasma:fractal -quality 85 "$E2E_DIR/img/p$i.jpg"
done
{
  echo 'title = "Banc de photos"'
  echo 'layout = "picture"'
  echo 'answers = 1'
  for i in $(seq 1 96); do
    printf '\n[[question]]\nanswer = "photo %d"\nmedia = "img/p%d.jpg"\n' "$i" "$i"
  done
} >"$E2E_DIR/pictures.toml"
e2e_build_quiz pictures.toml pictures.exe
cp "$MIRVO_PLAYER" "$E2E_DIR/demo.exe"

# now_ms: wall clock in milliseconds.
now_ms() { echo $(($(date +%s%N) / 1000000)); }

# time_start EXE TITLE: milliseconds from start to the window being mapped.
time_start() {
  local start end
  rm -f "$E2E_DIR"/*.txt  # no answer sheet carried between runs
  start=$(now_ms)
  e2e_start "$1"
  # Polled every 20 ms: the --sync of xdotool looks in steps of half a
  # second, as coarse as the whole start-up of the demonstration quiz.
  local deadline=$(($(now_ms) + 60000))
  until xdotool search --onlyvisible --name "^$2\$" >/dev/null 2>&1; do
    (($(now_ms) < deadline)) || { echo "window '$2' never mapped" >&2; mirvo_stop_pid "$E2E_PID"; exit 1; }
    sleep 0.02
  done
  end=$(now_ms)
  # Stopped by its id: closing by keyboard depends on the focus, and nothing
  # after start-up is measured.
  mirvo_stop_pid "$E2E_PID"
  echo $((end - start))
}

median() { printf '%s\n' "$@" | sort -n | awk '{a[NR] = $1} END {print (NR % 2) ? a[(NR + 1) / 2] : int((a[NR / 2] + a[NR / 2 + 1]) / 2)}'; }

time_start demo.exe "Nom du mirvo" >/dev/null  # warm-up: wineserver and caches
time_start pictures.exe "Banc de photos" >/dev/null
demo=()
pictures=()
for run in $(seq 1 "$RUNS"); do
  demo+=("$(time_start demo.exe "Nom du mirvo")")
  pictures+=("$(time_start pictures.exe "Banc de photos")")
  echo "run $run: demonstration ${demo[-1]} ms, 96 pictures ${pictures[-1]} ms"
done
d=$(median "${demo[@]}")
p=$(median "${pictures[@]}")
echo "median: demonstration $d ms, 96 pictures $p ms, ratio $(awk -v p="$p" -v d="$d" 'BEGIN {printf "%.2f", p / d}') (target at most 1.50)"
