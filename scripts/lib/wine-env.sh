# Quiet Wine prefixes of our own under build/, one per Windows build, with
# code page 936, a home of their own so that nothing lands in the real
# desktop, and a virtual X display when there is none; and one prefix per
# system code page for the tests that need a seller's other Windows set-ups.
# Sourced by scripts/test, scripts/run and the test helpers that CTest runs;
# the caller sets root.
#
# Two Windows builds, each run by its own Wine:
#   win32  the i686 build, under Debian's wine with wine32, in win32 prefixes
#   win64  the x86_64 build, under the 64-bit loader called directly, in win64
#          prefixes: /usr/bin/wine and its program wrappers pick the 32-bit
#          loader whenever it is installed, and it cannot start on a machine
#          that runs no 32-bit code.

# The builds this machine can run, the 32-bit one first.
wine_arches_here() {
  if lumdrift_runs_32bit; then echo "win32 win64"; else echo "win64"; fi
}

# The build folder and toolchain file of a build.
wine_build_dir() { echo "build/$1"; }
wine_toolchain() {
  case "$1" in
    win32) echo cmake/mingw-i686.cmake ;;
    win64) echo cmake/mingw-x86_64.cmake ;;
  esac
}
wine_bits() { [ "$1" = win64 ] && echo 64 || echo 32; }

# wine_use ARCH: the Wine that wine_run and wine_server call from here on.
wine_use() {
  case "$1" in
    win32)
      lumdrift_wine=wine lumdrift_wineserver=wineserver
      unset WINELOADER
      ;;
    win64)
      lumdrift_wine=/usr/lib/wine/wine64 lumdrift_wineserver=/usr/lib/wine/wineserver64
      # Wine starts the processes a program creates with this loader.
      export WINELOADER=$lumdrift_wine
      ;;
    *) echo "no Wine for \"$1\" (win32 or win64)" >&2; return 1 ;;
  esac
  export WINEARCH=$1
  lumdrift_prefix_suffix=$([ "$1" = win64 ] && echo 64 || true)
}
wine_run() { "$lumdrift_wine" "$@"; }
wine_server() { "$lumdrift_wineserver" "$@"; }

# Wine takes the system code page from the locale, and converts file names
# with the locale's charset only when the locale really exists (else Chinese
# paths fail). They are generated under build/, leaving the system as it is.
lumdrift_locales() {
  export LOCPATH="$root/build/locales"
  mkdir -p "$LOCPATH"
  local wanted name pids=()
  for wanted in zh_CN:GBK zh_TW:BIG5 en_US:UTF-8 zh_CN:UTF-8 hi_IN:UTF-8; do
    name=${wanted%%:*}.${wanted#*:}
    [ -f "$LOCPATH/$name/LC_CTYPE" ] && continue
    # GBK and Big5 are not ASCII-compatible in glibc's sense: localedef warns
    # and still writes the locale, so its status says little.
    localedef -i "${wanted%%:*}" -f "${wanted#*:}" "$LOCPATH/$name" >/dev/null 2>&1 &
    pids+=($!)
  done
  # Only these: the caller may have other children, Xvfb among them.
  [ ${#pids[@]} -eq 0 ] || wait "${pids[@]}" || true
  for wanted in zh_CN.GBK zh_TW.BIG5 en_US.UTF-8 zh_CN.UTF-8 hi_IN.UTF-8; do
    [ -f "$LOCPATH/$wanted/LC_CTYPE" ] || { echo "localedef made no $wanted" >&2; return 1; }
  done
}

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

# wine_prefix_up ARCH: the prefix of that build, booted when new, with a
# persistent server.
wine_prefix_up() {
  wine_use "$1" || return 1
  export WINEPREFIX="$root/build/wineprefix$lumdrift_prefix_suffix"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
  export HOME="$root/build/winehome$lumdrift_prefix_suffix"
  lumdrift_locales || return 1
  export LC_ALL=zh_CN.GBK
  export no_proxy=127.0.0.1,localhost
  unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY
  mkdir -p "$HOME"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    (unset DISPLAY; wine_run wineboot -i >/dev/null 2>&1 </dev/null || true)
    wine_server -w
  fi
  # A persistent server with no pipes attached keeps later starts fast and
  # keeps CTest from waiting on inherited output.
  wine_server -p </dev/null >/dev/null 2>&1 || true  # already running is fine
  wine_run cmd /c exit </dev/null >/dev/null 2>&1 || true
  # WenQuanYi Zen Hei's small bitmaps have no hyphen ("-960" would show as
  # "960") and no face is installed under the name the shortcut button asks
  # for: Micro Hei stands in for both.
  local reg="$WINEPREFIX/lumdrift-fonts.reg"
  printf '%s\r\n' 'REGEDIT4' '' '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
    '"MS Shell Dlg"="WenQuanYi Micro Hei"' '"微软雅黑"="WenQuanYi Micro Hei"' |
    iconv -f UTF-8 -t GBK >"$reg"
  wine_run regedit /S "$(wine_run winepath -w "$reg" 2>/dev/null)" </dev/null >/dev/null 2>&1 || true
}

wine_prefix_down() {
  wine_server -k </dev/null >/dev/null 2>&1 || true
}

# wine_code_page_env CP: the settings of the prefix for system code page CP,
# for the build that WINEARCH names (win32 when unset). The code page is fixed
# when a prefix boots, so each has its own.
wine_code_page_env() {
  lumdrift_locales || return 1
  wine_use "${WINEARCH:-win32}" || return 1
  export WINEPREFIX="$root/build/wineprefix$lumdrift_prefix_suffix-cp$1"
  export HOME="$root/build/winehome$lumdrift_prefix_suffix-cp$1"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
  export no_proxy=127.0.0.1,localhost
  unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY
  unset LC_ALL LANG LANGUAGE LC_CTYPE LC_MESSAGES LC_COLLATE LC_NUMERIC LC_TIME LC_MONETARY
  case "$1" in
    936) export LC_ALL=zh_CN.GBK LANG=zh_CN.GBK ;;
    950) export LC_ALL=zh_TW.BIG5 LANG=zh_TW.BIG5 ;;
    1252) export LC_ALL=en_US.UTF-8 LANG=en_US.UTF-8 ;;
    # Wine 8 ignores the registry's ACP=65001; a locale of Unicode-only
    # characters gives it, with the user locale Chinese (0804).
    65001) export LC_CTYPE=hi_IN.UTF-8 LANG=zh_CN.UTF-8 ;;
    *) echo "no locale for code page $1" >&2; return 1 ;;
  esac
}

# wine_code_page_prefixes CP...: makes the prefixes that are not there yet,
# side by side.
wine_code_page_prefixes() {
  local cp pid failed=0 pids=()
  lumdrift_locales || return 1  # once, before the prefixes share them
  for cp in "$@"; do
    (
      wine_code_page_env "$cp" || exit 1
      [ -f "$WINEPREFIX/lumdrift-ready" ] && exit 0
      rm -rf "$WINEPREFIX"
      mkdir -p "$HOME"
      unset DISPLAY
      wine_run wineboot -i >/dev/null 2>&1 </dev/null || true
      wine_server -w
      touch "$WINEPREFIX/lumdrift-ready"
    ) &
    pids+=($!)
  done
  for pid in "${pids[@]}"; do wait "$pid" || failed=1; done
  [ "$failed" = 0 ] || echo "a code page prefix could not be made" >&2
  return "$failed"
}
