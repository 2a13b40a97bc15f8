#!/usr/bin/env bash
# Installs what building and running need on Debian 12, as root; does nothing when all is there.
# A mirror in the middle of a sync must not stop a run: a failed index update is retried and then
# only warned about, and an install that fails on mismatched multi-arch twins (a newer amd64
# library in the security suite than its i386 twin that is left) is tried again preferring the
# release's main suite. Nothing in the machine's apt configuration is changed for good.
set -euo pipefail
packages=(wine wine32:i386 g++-mingw-w64-i686-posix cmake ninja-build xvfb xdotool imagemagick
          fonts-wqy-zenhei googletest python3 x11-utils clang libclang-rt-14-dev locales fonts-wine
          iproute2)
tries=${LANZHOU_APT_TRIES:-3}
pause=${LANZHOU_APT_PAUSE:-5}
# Wine takes code page 936 from LC_ALL=zh_CN.UTF-8; with the locale generated it also converts
# command lines and file names as UTF-8.
have_locale() { locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; }
make_locale() { have_locale || localedef -i zh_CN -f UTF-8 zh_CN.UTF-8; }

# Wine's 32-bit loader is an i386 program. Some kernels run 64-bit user code only (i386 execve
# fails with ENOEXEC); there it runs through qemu's user-mode emulator, registered with the
# kernel for i386 programs (kernel state, not apt's: it goes with a reboot and is made again).
i386_runs() { /usr/lib/wine/wine --version >/dev/null 2>&1; }
run_i386() {
  [ -x /usr/lib/wine/wine ] && ! i386_runs || return 0
  echo "This kernel does not run i386 programs: running them through qemu-i386"
  if ! [ -x /usr/bin/qemu-i386-static ]; then
    apt-get install -y -qq --no-install-recommends qemu-user-static >/dev/null ||
      apt-get install -y -qq --no-install-recommends -t "$(. /etc/os-release && echo "$VERSION_CODENAME")" \
        qemu-user-static >/dev/null
  fi
  local binfmt=/proc/sys/fs/binfmt_misc
  [ -e $binfmt/register ] || mount -t binfmt_misc binfmt_misc $binfmt
  [ -e $binfmt/qemu-i386 ] ||
    printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' >$binfmt/register
  echo 1 >$binfmt/qemu-i386
  i386_runs || { echo "error: i386 programs do not run, even through qemu-i386" >&2; exit 1; }
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  make_locale
  run_i386
  exit 0
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386

update_indexes() {
  local n log
  log=$(mktemp)
  for n in $(seq 1 "$tries"); do
    # Some failed index fetches only warn with exit code 0: an "E:" line means one was missed.
    if apt-get update -qq 2>"$log" && ! grep -q '^E:' "$log"; then
      rm -f "$log"
      return 0
    fi
    if [ "$n" -lt "$tries" ]; then sleep "$pause"; fi
  done
  echo "warning: apt-get update failed $tries times (a mirror in sync?); going on with the indexes there are:" >&2
  grep '^E:' "$log" | head -3 >&2 || true
  rm -f "$log"
}

install_missing() { apt-get install -y -qq --no-install-recommends "$@" "${missing[@]}" >/dev/null; }

update_indexes
if ! install_missing; then
  # Finish whatever the failed run left unpacked, so that the retry starts from a sound state.
  dpkg --configure -a >/dev/null 2>&1 || true
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  echo "install failed; trying again preferring the main suite ${codename:-(unknown)}" >&2
  if [ -z "$codename" ] || ! install_missing -t "$codename"; then
    echo "error: could not install ${missing[*]}; try 'apt-get update' again later (a mirror may be in sync), then rerun" >&2
    exit 1
  fi
fi
make_locale
run_i386
