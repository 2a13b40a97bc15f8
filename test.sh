#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test (unit tests under Wine,
# end-to-end tests of the real program under Wine and Xvfb).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
bash tools/install-deps.sh
source tools/wine-env.sh
lanzhou_configure linux-wine
cmake --build --preset linux-wine
if [ "$(lanzhou_windows_arch)" != i686 ]; then
  # The tests run the 64-bit build here; the shipped 32-bit program is still built, so that a
  # change that breaks it does not pass.
  cmake -S . -B build-i686 -G Ninja --toolchain cmake/mingw-w64.cmake -DLANZHOU_WINDOWS_ARCH=i686 \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLANZHOU_BUILD_TESTS=OFF >/dev/null
  cmake --build build-i686 --target lanzhou gallery
fi
ctest --preset linux-wine "$@"
