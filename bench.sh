#!/usr/bin/env bash
# Measures paint speed: styled windows against plain ones, under Wine on a virtual display,
# with the optimised release build (build-release/). Prints a table with the goals.
#   ./bench.sh                 every measure
#   ./bench.sh welcome|gallery|first|soak    one of them
# Counts can be lowered for a quick look: BENCH_REPAINTS, BENCH_FIRST_PAINTS, BENCH_SOAK.
# BENCH_FAMILY=TEXT: only the gallery's kinds whose name holds TEXT.
# BENCH_TRACE=1 (and BENCH_SERVER_LOG=FILE): where a repaint's time goes (README).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
bash tools/install-deps.sh
source tools/wine-env.sh
lanzhou_configure linux-release >/dev/null
cmake --build --preset linux-release --target lanzhou lanzhou_bench
build=$PWD/build-release
state=$build/bench
lanzhou_prefix "$build/wine-bench"
lanzhou_xvfb "$state" 2200x900x24  # two galleries side by side
trap 'wineserver -k 2>/dev/null; kill "$(cat "$state/xvfb.pid")" 2>/dev/null' EXIT
trap 'exit 130' INT TERM
if [[ -n ${BENCH_SERVER_LOG:-} ]]; then
  wineserver -p -d1 </dev/null >/dev/null 2>"$BENCH_SERVER_LOG"  # every request, for the trace
else
  wineserver -p </dev/null >/dev/null 2>&1
fi
size=$(stat -c %s "$build/bin/lanzhou.exe")
echo "build-release/bin/lanzhou.exe (optimised, stripped): $size bytes ($((size / 1024)) KB)"
BENCH_DISPLAY_PID=$(cat "$state/xvfb.pid") wine "$build/bin/lanzhou_bench.exe" "$@" </dev/null
