# The part both Windows builds share; cmake/mingw-i686.cmake and
# cmake/mingw-x86_64.cmake name the processor and the Wine that runs the
# build's programs, then include this file.
set(CMAKE_SYSTEM_NAME Windows)
set(lumdrift_triple ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)

# The posix thread model gives std::mutex and std::thread, which GoogleTest needs.
set(CMAKE_C_COMPILER ${lumdrift_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${lumdrift_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${lumdrift_triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${lumdrift_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained exe: no libgcc, libstdc++ or winpthread DLL beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
