# A quiet 32-bit Wine prefix of our own under build/, with code page 936 and a
# home of its own so that nothing lands in the real desktop.

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
  wineserver -p </dev/null >/dev/null 2>&1
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

wine_prefix_down() {
  wineserver -k </dev/null >/dev/null 2>&1 || true
}
