# A quiet 32-bit Wine prefix of our own under build/, with code page 936, a
# home of its own so that nothing lands in the real desktop, and a virtual
# X display when there is none. Sourced by scripts/test and scripts/run.

# Starts Xvfb on a free display unless one is set; the caller stops it with
# stop_xvfb.
start_xvfb() {
  [ -n "${DISPLAY:-}" ] && return 0
  local n=90
  while [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 2560x1600x24 -nolisten tcp >/dev/null 2>&1 &
  lumdrift_xvfb_pid=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X${n}" ] && return 0
    sleep 0.05
  done
  echo "Xvfb did not start" >&2
  return 1
}

stop_xvfb() {
  if [ -n "${lumdrift_xvfb_pid:-}" ]; then
    kill "$lumdrift_xvfb_pid" 2>/dev/null || true
    wait "$lumdrift_xvfb_pid" 2>/dev/null || true
    unset lumdrift_xvfb_pid DISPLAY
  fi
}

wine_prefix_up() {
  export WINEPREFIX="$root/build/wineprefix"
  export WINEARCH=win32
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
  export HOME="$root/build/winehome"
  export LC_ALL=zh_CN.GBK
  export no_proxy=127.0.0.1,localhost
  unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY
  mkdir -p "$HOME"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    (unset DISPLAY; wineboot -i >/dev/null 2>&1 </dev/null || true)
    wineserver -w
  fi
  # A persistent server with no pipes attached keeps later starts fast and
  # keeps CTest from waiting on inherited output.
  wineserver -p </dev/null >/dev/null 2>&1 || true  # already running is fine
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
  # WenQuanYi Zen Hei's small bitmaps have no hyphen ("-960" would show as
  # "960") and no face is installed under the name the shortcut button asks
  # for: Micro Hei stands in for both.
  local reg="$WINEPREFIX/lumdrift-fonts.reg"
  printf '%s\r\n' 'REGEDIT4' '' '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
    '"MS Shell Dlg"="WenQuanYi Micro Hei"' '"微软雅黑"="WenQuanYi Micro Hei"' |
    iconv -f UTF-8 -t GBK >"$reg"
  wine regedit /S "$(winepath -w "$reg" 2>/dev/null)" </dev/null >/dev/null 2>&1 || true
}

wine_prefix_down() {
  wineserver -k </dev/null >/dev/null 2>&1 || true
}
