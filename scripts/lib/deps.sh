# Installs the Debian packages the build and the tests need, skipping what is
# already there. Sourced by scripts/test and scripts/run.

lumdrift_packages=(
  cmake g++ clang libgtest-dev libgmock-dev googletest libbenchmark-dev
  g++-mingw-w64-i686 wine wine32:i386 wine64 xvfb xauth x11-utils xdotool imagemagick
  fonts-wqy-microhei fonts-wqy-zenhei python3 locales
)

install_deps() {
  local missing=()
  local p
  for p in "${lumdrift_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "installing: ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}
