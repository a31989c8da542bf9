# Cross-builds the 64-bit Windows executable with Debian's mingw-w64: the one
# nearly every seller's Windows runs. Its programs run under 64-bit Wine, in a
# win64 prefix; the loader is called directly, since /usr/bin/wine picks the
# 32-bit one whenever it is installed, and it cannot start on a machine that
# runs no 32-bit code.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
