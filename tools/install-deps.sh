#!/usr/bin/env bash
# Installs what building and running need on Debian 12, as root; does nothing when all is there.
set -euo pipefail
packages=(wine wine32:i386 g++-mingw-w64-i686-posix cmake ninja-build xvfb xdotool imagemagick
          fonts-wqy-zenhei googletest python3 x11-utils clang libclang-rt-14-dev locales fonts-wine
          iproute2)
# Wine takes code page 936 from LC_ALL=zh_CN.UTF-8; with the locale generated it also converts
# command lines and file names as UTF-8.
have_locale() { locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; }
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  have_locale || localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
  exit 0
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
have_locale || localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
