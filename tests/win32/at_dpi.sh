#!/usr/bin/env bash
# Runs a command with the Wine prefix at another DPI: LogPixels is read when
# the prefix's server starts, so the server starts again around the command,
# and the prefix is back at 96 DPI after it whatever the command did. The
# prefix and its Wine are the caller's (WINEPREFIX, WINEARCH).
#   at_dpi.sh DPI COMMAND...
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/scripts/lib/wine-env.sh"
wine_use "${WINEARCH:-win32}" || exit 1
dpi=$1
shift
restart() {
  wine_run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
    </dev/null >/dev/null 2>&1
  wine_server -k </dev/null >/dev/null 2>&1
  wine_server -w </dev/null >/dev/null 2>&1
  # A persistent server with no pipes attached, as the test stage starts it.
  wine_server -p </dev/null >/dev/null 2>&1
  wine_run cmd /c exit </dev/null >/dev/null 2>&1
}
restart "$dpi"
trap 'restart 96' EXIT
LUMDRIFT_EXPECTED_DPI=$dpi "$@"
