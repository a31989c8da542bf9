#!/usr/bin/env bash
# Installs what the browser checks need: Debian's Chromium and the npm packages
# of tests/browser. Each step is skipped when its result is already there.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
export DEBIAN_FRONTEND=noninteractive

apt_updated=0
apt_install() {
  if [ "$apt_updated" = 0 ]; then
    apt-get update -qq
    apt_updated=1
  fi
  apt-get install -y -qq "$@"
}

if [ ! -x /usr/bin/chromium ]; then
  apt_install chromium
fi
if ! command -v npm >/dev/null 2>&1; then
  apt_install nodejs npm
fi
if [ ! -d "$here/node_modules" ]; then
  (cd "$here" && npm ci --no-audit --no-fund)
fi
