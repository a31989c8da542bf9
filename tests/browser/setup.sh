#!/usr/bin/env bash
# Installs what the browser checks need: the three engines from Debian (Chromium, Firefox ESR,
# WebKitGTK's WebKitWebDriver and MiniBrowser, with Xvfb for the last), the tools that run the
# checks offline, and the npm packages of tests/browser. Each step is skipped when its result is
# already there.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

root="$(cd "$here/../.." && pwd)"
. "$root/scripts/lib/deps.sh"

packages=(chromium firefox-esr webkit2gtk-driver xvfb xauth iproute2)
# Node may come from elsewhere than Debian, with npm inside it.
command -v node >/dev/null 2>&1 && command -v npm >/dev/null 2>&1 || packages+=(nodejs npm)
install_packages "${packages[@]}"

# npm ci again whenever the lock file has changed since the last install.
if ! cmp -s "$here/package-lock.json" "$here/node_modules/.lumdrift-installed-lock" 2>/dev/null; then
  (cd "$here" && npm ci --no-audit --no-fund)
  cp "$here/package-lock.json" "$here/node_modules/.lumdrift-installed-lock"
fi
