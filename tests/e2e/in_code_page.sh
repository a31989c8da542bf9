#!/usr/bin/env bash
# in_code_page.sh CP PROGRAM [ARG...]: runs a Windows program in a Wine session
# of its own with the system code page CP (936, 950, 1252 or 65001), its
# prefix made first when it is not there. The session runs without the
# capabilities that let root write into any folder, so that a read-only folder
# refuses the tool as Program Files refuses a standard user; the wine server
# does the file opening, so it runs so too. The program learns the code page
# from LUMDRIFT_CODE_PAGE. Needs a display (DISPLAY), as the window tests do;
# the build's Wine is the one WINEARCH names (win32 when unset).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/scripts/lib/wine-env.sh"
cp=$1
shift

if [ "${LUMDRIFT_SESSION:-}" != "$cp" ]; then
  wine_code_page_prefixes "$cp"
  # A server left from an earlier run would still hold root's rights.
  (wine_code_page_env "$cp" && wine_server -k </dev/null >/dev/null 2>&1) || true
  LUMDRIFT_SESSION=$cp exec capsh --drop=cap_dac_override,cap_dac_read_search,cap_fowner \
    -- "$0" "$cp" "$@"
fi

wine_code_page_env "$cp"
trap 'wine_server -k </dev/null >/dev/null 2>&1 || true' EXIT
# No pipes attached to the server: CTest would wait on inherited output.
wine_server -p </dev/null >/dev/null 2>&1 || true
wine_run cmd /c exit </dev/null >/dev/null 2>&1 || true
LUMDRIFT_CODE_PAGE=$cp wine_run "$@"
