#!/usr/bin/env bash
# Makes the run's template prefix for a build folder; each test runs in a copy of its own
# (sandbox.sh).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$1
source "$here/../../tools/wine-env.sh"
bash "$here/stop.sh" "$build"
lanzhou_prefix "$build/wine-test"
# ShellExecute finds Wine's own iexplore.exe first: the recording stand-in takes its place.
cp "$build/bin/iexplore.exe" "$WINEPREFIX/drive_c/windows/system32/iexplore.exe"
echo "harness: template prefix $WINEPREFIX"
