#!/usr/bin/env bash
# The soak with its full counts: 1000 styled message boxes, 200 gallery openings and 50 of
# each common dialog in one process under Wine, printing the free GDI handle slots and the
# private bytes before and after each run.
#   tools/soak.sh [BOXES [GALLERIES [EACH-COMMON-DIALOG]]]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
cmake --preset linux-wine >/dev/null
cmake --build --preset linux-wine --target soak
source tools/wine-env.sh
state=$PWD/build/soak
lanzhou_prefix "$PWD/build/wine-run"
lanzhou_xvfb "$state"
trap 'wineserver -k 2>/dev/null; kill "$(cat "$state/xvfb.pid")" 2>/dev/null' EXIT
wine build/bin/soak.exe "$@" 2>/dev/null
