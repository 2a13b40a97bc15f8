#!/usr/bin/env bash
# ctest's emulator: runs a Windows test executable under Wine in a sandbox of its own.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
exe=$1
build=${LANZHOU_BUILD_DIR:-$(cd "$(dirname "$exe")/.." && pwd)}
exec bash "$here/sandbox.sh" "$build" wine "$@"
