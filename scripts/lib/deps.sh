# Installs the Debian packages that the chosen stages need, skipping what is
# already there. Sourced by scripts/test, scripts/run and scripts/package.

declare -A lumdrift_stage_packages=(
  [native]="cmake g++ libgtest-dev libbenchmark-dev"
  [sanitize]="cmake g++ libgtest-dev libbenchmark-dev"
  [fuzz]="clang libclang-rt-14-dev"
  [browser]="cmake g++ libgtest-dev libbenchmark-dev"
  [wine]="cmake g++-mingw-w64-i686 googletest wine wine32:i386 wine64 xvfb fonts-wqy-microhei fonts-wqy-zenhei locales libcap2-bin"
  [run]="cmake g++-mingw-w64-i686 googletest wine wine32:i386 wine64 xvfb fonts-wqy-microhei fonts-wqy-zenhei locales python3 imagemagick"
  [package]="cmake g++-mingw-w64-i686 googletest python3"
)

# install_deps STAGE...
install_deps() {
  local wanted=() stage p
  for stage in "$@"; do
    for p in ${lumdrift_stage_packages[$stage]}; do wanted+=("$p"); done
  done
  install_packages "${wanted[@]}"
}

install_packages() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  mapfile -t missing < <(printf '%s\n' "${missing[@]}" | sort -u)
  echo "installing: ${missing[*]}"
  case " ${missing[*]} " in
    *":i386 "*)
      dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386 ;;
  esac
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
}
