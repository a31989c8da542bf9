# Installs the Debian packages the build and the tests need, skipping what is
# already there. Sourced by scripts/test and scripts/run.

lumdrift_packages=(
  cmake g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev googletest libbenchmark-dev
  g++-mingw-w64-i686 wine wine32:i386 wine64 xvfb xauth x11-utils xdotool imagemagick
  fonts-wqy-microhei fonts-wqy-zenhei python3 locales
)

# Wine takes its code page from the locale, and converts file names with it
# only when the locale really exists.
ensure_gbk_locale() {
  locale -a 2>/dev/null | grep -qix 'zh_CN.gbk' && return 0
  localedef -i zh_CN -f GBK zh_CN.GBK 2>/dev/null || true
}

install_deps() {
  install_packages
  ensure_gbk_locale
}

install_packages() {
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
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
}
