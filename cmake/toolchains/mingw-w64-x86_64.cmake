# Cross build for 64-bit Windows with Debian's MinGW-w64 compiler (g++-mingw-w64-x86-64-posix:
# the POSIX thread model, which std::thread and std::mutex need). Used by scripts/windows-test:
#   cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(R605_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${R605_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${R605_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${R605_MINGW_TRIPLE}-windres)

# Libraries and headers come from the MinGW-w64 tree only; programs (cmake, ninja) from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${R605_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static runtime: the programs run without the compiler's DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# CTest starts every Windows program through Wine.
find_program(R605_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(R605_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${R605_WINE})
endif()


# -O2: MinGW's GCC 12 at -O3 warns falsely (-Wrestrict) in std::string's operator+ in places the
# native GCC 12 does not, and the test command makes warnings errors.
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "Flags of the release build")
