#!/usr/bin/env bash
# Installs what is missing, builds both presets and runs every test layer:
# unit tests (native, and cross-built under Wine), Wine tests of the Win32
# layer, and end-to-end tests of the real player. Non-zero on any failure.
set -uo pipefail
cd "$(dirname "$0")"
./cmake/install-deps.sh || exit 1

step() { echo "== $*"; }
status=0

step "configure and build: host"
cmake --preset host >/dev/null && cmake --build --preset host || exit 1
step "configure and build: win32"
cmake --preset win32 >/dev/null && cmake --build --preset win32 || exit 1

step "tests: win32 (under Wine)"
ctest --preset win32 || status=1
step "tests: host (unit and end to end)"
ctest --preset host || status=1

step "tests: host with ASan and UBSan (unit, command line, fuzz corpus)"
if cmake --preset host-asan >/dev/null && cmake --build --preset host-asan; then
  ctest --preset host-asan -LE e2e -E '^e2e_' || status=1
else
  status=1
fi
step "fuzz smoke run (a few seconds per parser)"
MIRVO_FUZZ_BUILD=$PWD/build/host-asan tests/fuzz/run_fuzzers.sh "${MIRVO_FUZZ_SECONDS:-3}" || status=1

./cmake/wine-stop.sh
exit $status
