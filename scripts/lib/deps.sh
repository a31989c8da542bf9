# Installs the Debian packages that the chosen stages need, skipping what is
# already there, and tells whether this machine runs 32-bit code. Sourced by
# scripts/test, scripts/run, scripts/package and tests/browser/setup.sh.

# The 32-bit Windows build runs only under 32-bit Wine (wine32:i386), which
# the stages below add where the machine can run it.
declare -A lumdrift_stage_packages=(
  [native]="cmake g++ libgtest-dev libbenchmark-dev"
  [sanitize]="cmake g++ libgtest-dev libbenchmark-dev"
  [fuzz]="clang libclang-rt-14-dev"
  [browser]="cmake g++ libgtest-dev libbenchmark-dev"
  [wine]="cmake g++-mingw-w64-i686 g++-mingw-w64-x86-64 googletest wine wine64 xvfb fonts-wqy-microhei fonts-wqy-zenhei locales libcap2-bin python3"
  [run]="cmake g++-mingw-w64-i686 g++-mingw-w64-x86-64 googletest wine wine64 xvfb fonts-wqy-microhei fonts-wqy-zenhei locales python3 imagemagick"
  [package]="cmake g++-mingw-w64-i686 g++-mingw-w64-x86-64 googletest python3"
)
declare -A lumdrift_stage_packages_32bit=(
  [wine]="wine32:i386"
  [run]="wine32:i386"
)

# Whether this machine runs 32-bit x86 programs. Some kernels have their
# IA-32 emulation off: every i386 program, 32-bit Wine's loader among them,
# then fails with "Exec format error". A 96-byte i386 program that exits with
# 42 tells, before anything 32-bit is installed. LUMDRIFT_ONLY_64BIT=1 makes
# a machine that can run it take the 64-bit path all the same.
lumdrift_runs_32bit() {
  [ "${LUMDRIFT_ONLY_64BIT:-0}" = 1 ] && return 1
  if [ -z "${lumdrift_32bit_answer:-}" ]; then
    local dir="${root:-.}/build" probe rc=0
    mkdir -p "$dir"
    probe=$(mktemp "$dir/i386-probe.XXXXXX")
    printf '\x7fELF\x01\x01\x01\0\0\0\0\0\0\0\0\0\x02\0\x03\0\x01\0\0\0\x54\x80\x04\x08\x34\0\0\0'\
'\0\0\0\0\0\0\0\0\x34\0\x20\0\x01\0\0\0\0\0\0\0'\
'\x01\0\0\0\0\0\0\0\0\x80\x04\x08\0\x80\x04\x08\x60\0\0\0\x60\0\0\0\x05\0\0\0\0\x10\0\0'\
'\xb8\x01\0\0\0\xbb\x2a\0\0\0\xcd\x80' >"$probe"
    chmod +x "$probe"
    "$probe" 2>/dev/null || rc=$?
    rm -f "$probe"
    lumdrift_32bit_answer=$([ "$rc" = 42 ] && echo yes || echo no)
  fi
  [ "$lumdrift_32bit_answer" = yes ]
}

lumdrift_no_32bit_reason() {
  if [ "${LUMDRIFT_ONLY_64BIT:-0}" = 1 ]; then
    echo "LUMDRIFT_ONLY_64BIT=1 asks for the 64-bit path alone"
  else
    echo "this machine runs no 32-bit code"
  fi
}

# install_deps STAGE...
install_deps() {
  local wanted=() stage p
  for stage in "$@"; do
    for p in ${lumdrift_stage_packages[$stage]:-}; do wanted+=("$p"); done
    if lumdrift_runs_32bit; then
      for p in ${lumdrift_stage_packages_32bit[$stage]:-}; do wanted+=("$p"); done
    fi
  done
  install_packages "${wanted[@]}"
}

lumdrift_missing_packages() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
  done
}

# install_packages PACKAGE...: installs what is missing. The mirror may be
# mid-sync: a failed update leaves the lists of the last one, and an install
# that does not resolve against them (security updates of one architecture
# against release versions of the other) is tried once more pinned to the
# release. No i386 package, and no foreign architecture, on a machine that
# cannot run 32-bit code.
install_packages() {
  local missing=() p
  mapfile -t missing < <(lumdrift_missing_packages "$@" | sort -u)
  [ ${#missing[@]} -eq 0 ] && return 0
  case " ${missing[*]} " in
    *":i386 "*)
      if ! lumdrift_runs_32bit; then
        echo "not installing i386 packages: $(lumdrift_no_32bit_reason)" >&2
        mapfile -t missing < <(printf '%s\n' "${missing[@]}" | grep -v ':i386$')
        [ ${#missing[@]} -eq 0 ] && return 0
      else
        dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
      fi
      ;;
  esac
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  if [ -z "${lumdrift_apt_updated:-}" ]; then
    apt-get update -qq -o DPkg::Lock::Timeout=600 ||
      echo "apt-get update failed; installing from the package lists already here" >&2
    lumdrift_apt_updated=1
  fi
  local apt=(apt-get install -y -qq -o DPkg::Lock::Timeout=600)
  if ! "${apt[@]}" "${missing[@]}" >/dev/null; then
    local release
    release=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    echo "the install did not go through; once more pinned to ${release:-the release}" >&2
    [ -n "$release" ] && "${apt[@]}" -t "$release" "${missing[@]}" >/dev/null || true
    mapfile -t missing < <(lumdrift_missing_packages "${missing[@]}")
    if [ ${#missing[@]} -gt 0 ]; then
      echo "could not install: ${missing[*]}" >&2
      return 1
    fi
  fi
}
