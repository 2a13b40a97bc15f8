#!/usr/bin/env bash
# Starts the test harness for a build folder: Xvfb, the test prefix, a persistent wineserver.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$1
state=$build/harness
source "$here/../../tools/wine-env.sh"
bash "$here/stop.sh" "$build" || true
lanzhou_xvfb "$state"
lanzhou_prefix "$build/wine-test"
# ShellExecute finds Wine's own iexplore.exe first: the recording stand-in takes its place.
cp "$build/bin/iexplore.exe" "$WINEPREFIX/drive_c/windows/system32/iexplore.exe"
# Detached from our output: ctest waits for every holder of the test's pipe.
wineserver -p </dev/null >/dev/null 2>&1
# The first Wine process starts the prefix's services (explorer, plugplay...); they must not
# inherit a test's pipe either.
wine "$build/bin/winprobe.exe" windows </dev/null >/dev/null 2>&1
echo "harness: display :$(cat "$state/display"), prefix $WINEPREFIX"
