#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test (unit tests under Wine,
# end-to-end tests of the real program under Wine and Xvfb).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
bash tools/install-deps.sh
cmake --preset linux-wine
cmake --build --preset linux-wine
ctest --preset linux-wine "$@"
