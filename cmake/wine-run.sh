#!/usr/bin/env bash
# ctest's cross-compiling emulator: runs one Windows test executable under
# Wine on a private Xvfb display and a private clone of the test prefix, and
# stops both whatever happens.
set -uo pipefail
source "$(dirname "$0")/wine-env.sh"
mirvo_wine_env
# Next to the shared prefix, so the clone can hard-link into it.
mkdir -p "$(dirname "$WINEPREFIX")/wine-private"
private=$(mktemp -d "$(dirname "$WINEPREFIX")/wine-private/run.XXXXXX")
finish() { mirvo_end_private_prefix; mirvo_stop_xvfb; rm -rf "$private"; }
trap finish EXIT
mirvo_use_private_prefix "$private/prefix"
mirvo_start_xvfb || exit 1
# Xlib complains on stderr when Xvfb goes away under explorer.exe; that is
# the end of the test, not a failure.
wine "$@"
status=$?
exit $status
