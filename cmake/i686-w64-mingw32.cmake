# Cross build of the 32-bit Windows program with Debian's MinGW-w64
# (the -posix variants: GoogleTest needs std::mutex).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR X86)

set(triple i686-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No DLL beyond the system's: the C and C++ runtimes and winpthread go in.
# Every function and datum in a section of its own, so that the linker can
# leave out what nothing uses.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -Wl,--gc-sections")
set(CMAKE_CXX_FLAGS_INIT "-ffunction-sections -fdata-sections")

# The program is small and spends its time waiting for the user: optimise
# for size. Set as the cache entry itself, because the compiler's own
# defaults would otherwise append -O3 behind it.
set(CMAKE_CXX_FLAGS_RELEASE "-Os -DNDEBUG" CACHE STRING "Flags for the Release build")

# CTest runs the .exe files through our Wine wrapper, which keeps one
# prefix and one wineserver for the whole build tree.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run)
