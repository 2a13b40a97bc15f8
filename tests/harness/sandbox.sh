#!/usr/bin/env bash
# Runs one test command in a sandbox of its own, so that tests run side by side:
#   sandbox.sh BUILD COMMAND...
# a network namespace with nothing but its own loopback (the update-server stand-in has the
# program's 127.0.0.1:18080 to itself), its own Xvfb display, and its own copy of the run's
# template prefix (start.sh made it) with its own wineserver. All of it is removed after.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$1
shift
if [ -z "${LANZHOU_SANDBOX:-}" ]; then
  mkdir -p "$build/sandboxes"
  LANZHOU_SANDBOX=$(mktemp -d "$build/sandboxes/XXXXXX") exec unshare --net -- bash "$0" "$build" "$@"
fi
box=$LANZHOU_SANDBOX
ip link set lo up
source "$here/../../tools/wine-env.sh"
finish() {
  wineserver -k 2>/dev/null || true
  kill "$(cat "$box/xvfb.pid")" 2>/dev/null || true
  rm -rf "$box"
}
trap finish EXIT
# The copy: hard links to the template's files (half a gigabyte of the system's binaries,
# which Wine only reads), and a file of its own for each other one, which Wine may rewrite in
# place (the registry, the .ini files). A prefix holds no path of its own: it works where it lands.
cp -al "$build/wine-test" "$box/prefix"
find "$box/prefix" -type f -not -path "*/system32/*" -not -path "*/winsxs/*" \
  -not -path "*/Program Files/*" -exec sh -c 'for f; do cp -p "$f" "$f~" && mv "$f~" "$f"; done' sh {} +
export WINEPREFIX=$box/prefix LANZHOU_WINEPREFIX=$box/prefix
lanzhou_xvfb "$box"
export LANZHOU_DISPLAY=$DISPLAY
# Detached from our output: ctest waits for every holder of the test's pipe. The first Wine
# process starts the prefix's services (explorer, plugplay...), which must not inherit it either.
wineserver -p </dev/null >/dev/null 2>&1
wine "$build/bin/winprobe.exe" windows </dev/null >/dev/null 2>&1
"$@"
