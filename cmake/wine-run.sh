#!/usr/bin/env bash
# ctest's cross-compiling emulator: runs one Windows test executable under
# Wine on a private Xvfb display, and stops that display whatever happens.
set -uo pipefail
source "$(dirname "$0")/wine-env.sh"
mirvo_ensure_prefix
mirvo_start_xvfb || exit 1
trap mirvo_stop_xvfb EXIT
# Xlib complains on stderr when Xvfb goes away under explorer.exe; that is
# the end of the test, not a failure.
wine "$@"
