# Sourced by the run and test scripts: the Wine settings every Wine process of ours gets.
# Code pages 936 (GBK) for ANSI and OEM without a generated locale.
{ export LC_ALL=zh_CN.UTF-8; } 2>/dev/null
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko prompts; Wine's own iexplore.exe yields to a native one (the test stand-in).
export WINEDLLOVERRIDES="mscoree=;mshtml=;iexplore.exe=n"

# The Chinese faces the program and the system name, and the installed face that serves each.
# SimSun carries bitmap strikes for its small sizes on Windows; so does "WenQuanYi Zen Hei
# Sharp", whose outlines Wine's GDI would otherwise draw unsmoothed at 12 pixels, dropping
# thin strokes (青 read as 专).
LANZHOU_FONT_REPLACEMENTS=("宋体=WenQuanYi Zen Hei Sharp" "SimSun=WenQuanYi Zen Hei Sharp"
                           "黑体=WenQuanYi Zen Hei" "SimHei=WenQuanYi Zen Hei")

# lanzhou_i386_usable: whether Wine's 32-bit side can run here: the kernel runs i386 programs
# itself, not through qemu's user-mode emulator (registered for them in binfmt_misc), under
# which every Wine process takes about a minute to start and a prefix is never finished.
lanzhou_i386_usable() {
  ! grep -qx enabled /proc/sys/fs/binfmt_misc/qemu-i386 2>/dev/null &&
    { [ ! -x /usr/lib/wine/wine ] || /usr/lib/wine/wine --version >/dev/null 2>&1; }
}

# lanzhou_windows_arch: the build this machine runs under Wine. The shipped program is 32-bit;
# where the kernel runs no 32-bit programs (some run 64-bit user code only: dmesg says "32-bit
# emulation disabled") the same sources are built 64-bit and run by Wine's 64-bit side.
lanzhou_windows_arch() {
  if lanzhou_i386_usable; then echo i686; else echo x86_64; fi
}
lanzhou_arch_note() {
  [ "$(lanzhou_windows_arch)" = i686 ] ||
    echo "note: this kernel runs no 32-bit programs; the 64-bit build of the same sources runs" \
         "under Wine's 64-bit side instead (the shipped program is the 32-bit build)" >&2
}

# lanzhou_configure PRESET [ARGS...]: configures a build for the arch this machine runs; a build
# folder made for the other one is configured anew (its compilers are fixed at the first run).
lanzhou_configure() {
  local preset=$1 arch dir
  shift
  arch=$(lanzhou_windows_arch)
  dir=build
  [ "$preset" = linux-release ] && dir=build-release
  dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/$dir"
  if [ -f "$dir/CMakeCache.txt" ] &&
     ! grep -qx "LANZHOU_WINDOWS_ARCH:STRING=$arch" "$dir/CMakeCache.txt"; then
    rm -rf "$dir/CMakeCache.txt" "$dir/CMakeFiles"
  fi
  cmake --preset "$preset" -DLANZHOU_WINDOWS_ARCH="$arch" "$@"
}

if [ "$(lanzhou_windows_arch)" = x86_64 ]; then
  export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
  # Debian's wine and wineboot take the 32-bit loader whenever it is installed.
  case ":$PATH:" in
    *":$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine64:"*) ;;
    *) PATH="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine64:$PATH" ;;
  esac
  export PATH
else
  export WINEARCH=win32
fi

# lanzhou_prefix PREFIX: creates the private prefix once, with the Chinese font replacements;
# a prefix made with other settings is made anew.
lanzhou_prefix() {
  local prefix=$1 ready
  export WINEPREFIX=$prefix
  ready="$WINEARCH; fonts: ${LANZHOU_FONT_REPLACEMENTS[*]}"
  if [ "$(cat "$prefix/.lanzhou-ready" 2>/dev/null)" = "$ready" ]; then return 0; fi
  rm -rf "$prefix"
  mkdir -p "$(dirname "$prefix")"
  # A prefix is marked ready only once whole; one that failed half way is removed at once.
  if ! lanzhou_make_prefix; then
    wineserver -k 2>/dev/null || true
    rm -rf "$prefix"
    echo "error: could not make the Wine prefix $prefix (is Wine installed whole? rerun tools/install-deps.sh)" >&2
    return 1
  fi
  echo "$ready" >"$prefix/.lanzhou-ready"
}

lanzhou_make_prefix() {
  wine wineboot -i >/dev/null 2>&1 && wineserver -w || return 1
  local pair
  for pair in "${LANZHOU_FONT_REPLACEMENTS[@]}"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${pair%%=*}" /t REG_SZ \
      /d "${pair#*=}" /f >/dev/null 2>&1 || return 1
  done
  # Unmanaged X windows: without a window manager Wine otherwise waits 2 s on every destroy.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || return 1
  wineserver -w
}

# lanzhou_set_dpi DPI: the prefix's display DPI. Wine reads it at each process's start from
# HKCU\Control Panel\Desktop\LogPixels (a DWORD, as winecfg's Graphics tab writes it); a
# process that declares itself DPI-aware gets its sizes at that DPI, one that does not gets 96.
lanzhou_set_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 &&
    wineserver -w
}

# lanzhou_xvfb STATE_DIR [SCREEN]: starts Xvfb on a free display (screen 1024x768x24 unless
# given); writes its number and pid to STATE_DIR.
lanzhou_xvfb() {
  local state=$1 screen=${2:-1024x768x24} n
  mkdir -p "$state"
  for n in $(seq 91 190); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
      # -noreset: a server that resets when its last client leaves turns away whoever connects
      # meanwhile (a test's first xdotool after Wine's set-up).
      setsid Xvfb ":$n" -screen 0 "$screen" -nolisten tcp -ac -noreset </dev/null >/dev/null 2>&1 &
      local pid=$! tries
      echo $pid >"$state/xvfb.pid"
      # Ours once the lock names our server: runs side by side may try one number at once, and
      # the server that loses ends.
      for tries in $(seq 1 100); do
        if [ -e "/tmp/.X11-unix/X$n" ] && [ "$(tr -d ' ' <"/tmp/.X$n-lock")" = "$pid" ]; then
          echo "$n" >"$state/display"
          export DISPLAY=":$n"
          return 0
        fi
        kill -0 $pid 2>/dev/null || break
        sleep 0.1
      done 2>/dev/null
      kill $pid 2>/dev/null || true
    fi
  done
  echo "no free X display" >&2
  return 1
}
