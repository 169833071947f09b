#!/usr/bin/env bash
# Ends the shared wineserver of the test prefix (and the Wine services it
# keeps), so that a test run leaves nothing running behind it.
source "$(dirname "$0")/wine-env.sh"
mirvo_wine_env
[[ -d $WINEPREFIX ]] && wineserver -k 2>/dev/null
exit 0
