#!/usr/bin/env bash
# run_fuzzers.sh SECONDS [TARGET...]
# MIRVO_FUZZ_RUNS=N stops a target after N executions when that comes before
# SECONDS have passed (then SECONDS is only the cap).
# Builds every fuzz target with clang (-fsanitize=fuzzer,address,undefined)
# in build/fuzz and runs each for SECONDS, one after the other, at the lowest
# priority. Prints executions and crashes per target; non-zero when any
# target crashed or could not run. A crashing input is kept as
# build/fuzz/crashes/<target>/crash-*; copy it into tests/fuzz/corpus/<target>/
# once fixed, so the sanitizer test run replays it. After a long run,
#   build/fuzz/fuzz/fuzz_<target> -merge=1 tests/fuzz/corpus/<target> build/fuzz/corpus/<target>
# adds to the seeds only the finds that reach code they do not.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${1:?usage: run_fuzzers.sh SECONDS [TARGET...]}
shift
# MIRVO_FUZZ_BUILD names an already configured tree with MIRVO_FUZZ (the
# host-asan preset's, as ./test.sh does); else build/fuzz is set up here,
# optimised for long runs.
build=${MIRVO_FUZZ_BUILD:-$root/build/fuzz}
jobs=${MIRVO_FUZZ_JOBS:-2}

mkdir -p "$build"
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer -g -O1"
if [[ -n ${MIRVO_FUZZ_BUILD:-} ]]; then
  [[ -f $build/CMakeCache.txt ]] || { echo "no configured build in $build" >&2; exit 1; }
elif ! cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMIRVO_FUZZ=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >"$build/configure.log" 2>&1; then
  cat "$build/configure.log" >&2
  exit 1
fi

targets=("$@")
if ((${#targets[@]} == 0)); then
  # Every target the tree has sources for (see tests/fuzz/CMakeLists.txt).
  targets=($(cmake --build "$build" --target help | sed -n 's/^\.\.\. fuzz_\([a-z_]*\)$/\1/p' | grep -vx all))
fi

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
status=0
printf '%-20s %12s %8s\n' target executions crashes
for name in "${targets[@]}"; do
  exe=$build/fuzz/fuzz_$name
  seeds=$root/tests/fuzz/corpus/$name
  work=$build/corpus/$name
  crashes=$build/crashes/$name
  log=$build/logs/$name.log
  mkdir -p "$work" "$crashes" "$(dirname "$log")"
  stamp=$build/logs/$name.stamp
  touch "$stamp"
  # One target at a time: a parser whose sources do not build yet fails its
  # own row, not the whole run.
  if ! nice -n 19 cmake --build "$build" -j"$jobs" --target "fuzz_$name" >"$build/logs/$name.build.log" 2>&1 \
      || [[ ! -x $exe ]]; then
    printf '%-20s %12s %8s\n' "$name" "-" "build failed"
    grep -m3 'error' "$build/logs/$name.build.log" >&2
    status=1
    continue
  fi
  # New finds go to the scratch corpus; the seeds in the tree stay as they are.
  # Inputs as long as the parser's real ones need: the codec's dictionary
  # resets only after some 8 KB of stream, executables take a few KB.
  case $name in
    lzw_unpack | pe_*) max_len=16384 ;;
    *) max_len=4096 ;;
  esac
  runs_flag=()
  [[ -n ${MIRVO_FUZZ_RUNS:-} ]] && runs_flag=(-runs="$MIRVO_FUZZ_RUNS")
  nice -n 19 "$exe" "$work" "$seeds" "${runs_flag[@]}" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len="$max_len" -print_final_stats=1 -artifact_prefix="$crashes/" >"$log" 2>&1
  rc=$?
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -n1)
  found=$(find "$crashes" -type f -newer "$stamp" \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) | wc -l)
  printf '%-20s %12s %8s\n' "$name" "${runs:-?}" "$found"
  if ((rc != 0 || found != 0)); then
    status=1
    grep -m1 -A12 'ERROR\|property failed\|SUMMARY' "$log" >&2 || tail -20 "$log" >&2
  fi
done
exit $status
