# Cross-builds the 32-bit Windows executable with Debian's mingw-w64: the one
# for 32-bit Windows. Its programs run under 32-bit Wine, in a win32 prefix.
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
