#!/usr/bin/env bash
# Stops what start.sh started for a build folder.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$1
state=$build/harness
source "$here/../../tools/wine-env.sh"
if [ -d "$build/wine-test" ]; then WINEPREFIX=$build/wine-test wineserver -k 2>/dev/null || true; fi
if [ -f "$state/xvfb.pid" ]; then kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true; fi
rm -f "$state/xvfb.pid" "$state/display"
exit 0
