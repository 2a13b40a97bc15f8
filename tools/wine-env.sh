# Sourced by the run and test scripts: the Wine settings every Wine process of ours gets.
# Code pages 936 (GBK) for ANSI and OEM without a generated locale.
{ export LC_ALL=zh_CN.UTF-8; } 2>/dev/null
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko prompts; Wine's own iexplore.exe yields to a native one (the test stand-in).
export WINEDLLOVERRIDES="mscoree=;mshtml=;iexplore.exe=n"

# The Chinese faces the program and the system name, and the installed face that serves each.
# SimSun carries bitmap strikes for its small sizes on Windows; so does "WenQuanYi Zen Hei
# Sharp", whose outlines Wine's GDI would otherwise draw unsmoothed at 12 pixels, dropping
# thin strokes (青 read as 专).
LANZHOU_FONT_REPLACEMENTS=("宋体=WenQuanYi Zen Hei Sharp" "SimSun=WenQuanYi Zen Hei Sharp"
                           "黑体=WenQuanYi Zen Hei" "SimHei=WenQuanYi Zen Hei")

# lanzhou_prefix PREFIX: creates the private prefix once, with the Chinese font replacements;
# a prefix made with other settings is made anew.
lanzhou_prefix() {
  local prefix=$1 ready
  export WINEPREFIX=$prefix
  ready="fonts: ${LANZHOU_FONT_REPLACEMENTS[*]}"
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
  wineboot -i >/dev/null 2>&1 && wineserver -w || return 1
  local pair
  for pair in "${LANZHOU_FONT_REPLACEMENTS[@]}"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${pair%%=*}" /t REG_SZ \
      /d "${pair#*=}" /f >/dev/null 2>&1 || return 1
  done
  # Unmanaged X windows: without a window manager Wine otherwise waits 2 s on every destroy.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || return 1
  wineserver -w
}

# lanzhou_xvfb STATE_DIR [SCREEN]: starts Xvfb on a free display (screen 1024x768x24 unless
# given); writes its number and pid to STATE_DIR.
lanzhou_xvfb() {
  local state=$1 screen=${2:-1024x768x24} n
  mkdir -p "$state"
  for n in $(seq 91 190); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
      setsid Xvfb ":$n" -screen 0 "$screen" -nolisten tcp -ac </dev/null >/dev/null 2>&1 &
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
