#!/usr/bin/env bash
# Ends and removes what sandboxes of a build folder left behind (a test killed on its timeout
# leaves its own).
build=$1
for box in "$build"/sandboxes/*/; do
  [ -d "$box/prefix" ] && WINEPREFIX=$box/prefix wineserver -k 2>/dev/null
  [ -f "$box/xvfb.pid" ] && kill "$(cat "$box/xvfb.pid")" 2>/dev/null
done
rm -rf "$build/sandboxes"
exit 0
