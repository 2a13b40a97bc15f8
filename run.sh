#!/usr/bin/env bash
# Builds the launcher and shows it running under Wine, with stand-ins for the voice-chat client
# and the update server. On your display when there is one (answer its messages yourself),
# else on a virtual display; screenshots are saved under build/screenshots/.
#   ./run.sh            the whole start-up flow
#   ./run.sh --alone    the program without the stand-ins
#   ./run.sh --server ARGS...   the stand-in update server answers otherwise, e.g.
#                       --status 404, --mode silent, --body 1.0, --body-file F (none: no server)
#   ./run.sh --gallery  the gallery: every styled control family in one dialog
#   ./run.sh --gallery NAME   one of the system's common dialogs, styled (open, save, font,
#                       colour, find, replace, print, pagesetup; --plain before NAME: unstyled)
#   ./run.sh --dialogs MODULE [NAME...]   every dialog template of another module (comdlg32.dll,
#                       shell32.dll, inetcpl.cpl...), styled beside plain, saved under build/dialogs/
#   ./run.sh --dpi N ...  any of the above at N DPI (120, 144, 192...): in a Wine prefix of its
#                       own whose display is set to N DPI; screenshots get "_dpiN" in their names
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
# --dpi N, wherever it stands, is ours; the rest goes on as it came.
dpi=
args=()
while [ $# -gt 0 ]; do
  if [ "$1" = --dpi ]; then
    dpi=${2:-}
    [[ "$dpi" =~ ^[0-9]+$ ]] && [ "$dpi" -ge 48 ] && [ "$dpi" -le 480 ] ||
      { echo "usage: ./run.sh --dpi N ... (N from 48 to 480)" >&2; exit 2; }
    shift 2
  else
    args+=("$1")
    shift
  fi
done
set -- "${args[@]+"${args[@]}"}"
bash tools/install-deps.sh
source tools/wine-env.sh
lanzhou_configure linux-wine >/dev/null
cmake --build --preset linux-wine --target lanzhou gallery dialogs winprobe yy_client
state=$PWD/build/run
if [ -n "$dpi" ]; then
  lanzhou_prefix "$PWD/build/wine-run-dpi$dpi"
  lanzhou_set_dpi "$dpi"
else
  lanzhou_prefix "$PWD/build/wine-run"
fi
export LANZHOU_SHOT_SUFFIX=${dpi:+_dpi$dpi}
mode=()
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  mode=(--interactive)
else
  lanzhou_xvfb "$state"
  trap 'wineserver -k 2>/dev/null; kill "$(cat "$state/xvfb.pid")" 2>/dev/null' EXIT
fi
wineserver -p </dev/null >/dev/null 2>&1
export LANZHOU_BUILD_DIR=$PWD/build LANZHOU_WINEPREFIX=$WINEPREFIX LANZHOU_DISPLAY=$DISPLAY
if [ "${1:-}" = --dialogs ]; then
  shift
  python3 tools/dialogs/shoot.py "$@"
  exit
fi
python3 tools/demo.py "${mode[@]}" "$@"
