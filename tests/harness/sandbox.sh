#!/usr/bin/env bash
# Runs one test command in a sandbox of its own, so that tests run side by side:
#   sandbox.sh BUILD COMMAND...
# a network namespace with nothing but its own loopback (the update-server stand-in has the
# program's 127.0.0.1:18080 to itself), its own Xvfb display, and its own copy of the run's
# template prefix (start.sh made it) with its own wineserver. All of it is removed after.
#
# Privileges: `unshare --net` makes a network namespace, which needs root (or CAP_SYS_ADMIN);
# ctest runs as root here, as the install does. `ip link set lo up` inside it needs no more.
# A call from inside a sandbox (a test that starts another sandboxed command) runs its command
# in the sandbox it is in: the outer call owns it and removes it.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
if [ "${1:-}" != --inside ]; then
  build=$1
  shift
  if [ -n "${LANZHOU_SANDBOX:-}" ]; then exec "$@"; fi
  mkdir -p "$build/sandboxes"
  LANZHOU_SANDBOX=$(mktemp -d "$build/sandboxes/XXXXXX") exec unshare --net -- bash "$0" --inside "$build" "$@"
fi
build=$2
shift 2
box=$LANZHOU_SANDBOX
ip link set lo up
source "$here/../../tools/wine-env.sh"
# Set before the trap: a sandbox that fails half made must end its own wineserver, never the one
# of whatever prefix the caller's environment names.
export WINEPREFIX=$box/prefix LANZHOU_WINEPREFIX=$box/prefix
finish() {
  [ -d "$box/prefix" ] && { wineserver -k 2>/dev/null || true; }
  [ -f "$box/xvfb.pid" ] && { kill "$(cat "$box/xvfb.pid")" 2>/dev/null || true; }
  rm -rf "$box"
}
trap finish EXIT
# The copy: hard links to the template's files (half a gigabyte of the system's binaries,
# which Wine only reads), and a file of its own for each other one, which Wine may rewrite in
# place (the registry, the .ini files). A prefix holds no path of its own: it works where it lands.
cp -al "$build/wine-test" "$box/prefix"
find "$box/prefix" -type f -not -path "*/system32/*" -not -path "*/winsxs/*" \
  -not -path "*/Program Files/*" -exec sh -c 'for f; do cp -p "$f" "$f~" && mv "$f~" "$f"; done' sh {} +
lanzhou_xvfb "$box"
export LANZHOU_DISPLAY=$DISPLAY
# A test that asks for another display DPI (LANZHOU_DPI) gets it in its own copy of the prefix,
# before any process of the prefix starts and reads it.
if [ -n "${LANZHOU_DPI:-}" ]; then lanzhou_set_dpi "$LANZHOU_DPI"; fi
# Detached from our output: ctest waits for every holder of the test's pipe. The first Wine
# process starts the prefix's services (explorer, plugplay...), which must not inherit it either.
wineserver -p </dev/null >/dev/null 2>&1
wine "$build/bin/winprobe.exe" windows </dev/null >/dev/null 2>&1
# The display too must answer before the test's first use of it: a server that has just listed
# its socket may still turn a client away.
for tries in $(seq 1 300); do
  xdotool getdisplaygeometry </dev/null >/dev/null 2>&1 && break
  sleep 0.1
done
xdotool getdisplaygeometry </dev/null >/dev/null 2>&1 || { echo "display $DISPLAY does not answer" >&2; exit 1; }
"$@"
