#!/usr/bin/env bash
# ctest's emulator: runs a Windows test executable under Wine in the harness's prefix and display.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
exe=$1
build=${LANZHOU_BUILD_DIR:-$(cd "$(dirname "$exe")/.." && pwd)}
source "$here/../../tools/wine-env.sh"
export WINEPREFIX=$build/wine-test
if [ -f "$build/harness/display" ]; then export DISPLAY=":$(cat "$build/harness/display")"; fi
exec wine "$@"
