# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (package g++-mingw-w64-x86-64-posix):
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
# Builds tessarin-cli.exe and the window program tessarin.exe, whose window is native Win32 (win32/).
# When Wine is installed, CTest runs the Windows test programs through it.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TESSARIN_MINGW_TRIPLE x86_64-w64-mingw32)
# The -posix variants: the thread model std::thread and std::mutex need.
set(CMAKE_C_COMPILER ${TESSARIN_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TESSARIN_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TESSARIN_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TESSARIN_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The runtime libraries (libgcc, libstdc++, winpthread) go into each program, so the .exe files run
# on a bare Windows or under Wine without DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Debian puts the 64-bit loader outside PATH; either name runs a 64-bit program.
find_program(TESSARIN_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(TESSARIN_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${TESSARIN_WINE})
endif()
