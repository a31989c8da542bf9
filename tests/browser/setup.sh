#!/usr/bin/env bash
# Installs what the browser checks need: the three engines from Debian (Chromium, Firefox ESR,
# WebKitGTK's WebKitWebDriver and MiniBrowser, with Xvfb for the last), the tools that run the
# checks offline, and the npm packages of tests/browser. Each step is skipped when its result is
# already there.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
export DEBIAN_FRONTEND=noninteractive

# Other work on this machine may hold the package lock for a while.
apt_updated=0
apt_install() {
  if [ "$apt_updated" = 0 ]; then
    apt-get update -qq
    apt_updated=1
  fi
  apt-get install -y -qq -o DPkg::Lock::Timeout=600 "$@"
}

packages=(chromium firefox-esr webkit2gtk-driver xvfb xauth iproute2)
# Node may come from elsewhere than Debian, with npm inside it.
command -v node >/dev/null 2>&1 && command -v npm >/dev/null 2>&1 || packages+=(nodejs npm)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  apt_install "${missing[@]}"
fi

# npm ci again whenever the lock file has changed since the last install.
if ! cmp -s "$here/package-lock.json" "$here/node_modules/.lumdrift-installed-lock" 2>/dev/null; then
  (cd "$here" && npm ci --no-audit --no-fund)
  cp "$here/package-lock.json" "$here/node_modules/.lumdrift-installed-lock"
fi
