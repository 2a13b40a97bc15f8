#!/usr/bin/env bash
# ctest's emulator: runs a Windows test executable under Wine in a sandbox of its own.
#
# A GoogleTest program must also reach the end of its run. One that stops half way with status
# 0 (an exit called from within, a stack overflow that Wine swallows in a window procedure) has
# printed no summary and passed nothing: gtest writes its report (GTEST_OUTPUT) only at the end,
# so a run whose report is missing fails here, whatever its status.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
exe=$1
build=${LANZHOU_BUILD_DIR:-$(cd "$(dirname "$exe")/.." && pwd)}
if ! grep -qa gtest_output "$exe" || [[ " $* " == *" --gtest_list_tests "* ]]; then
  exec bash "$here/sandbox.sh" "$build" wine "$@"
fi
mkdir -p "$build/sandboxes"
report=$(mktemp "$build/sandboxes/report-XXXXXX.xml")
rm -f "$report"
trap 'rm -f "$report"' EXIT
# Wine's Z: drive is the Unix root.
GTEST_OUTPUT="xml:Z:$report" bash "$here/sandbox.sh" "$build" wine "$@"
status=$?
if [ ! -s "$report" ]; then
  echo "wine-run: $(basename "$exe") ended (status $status) before gtest's summary" >&2
  [ "$status" -ne 0 ] || status=1
fi
exit "$status"
