# Cross-build for 64-bit Windows with MinGW-w64 (posix threads); run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# The Debian wrapper "wine" nags about a missing 32-bit part; call the 64-bit loader directly.
find_program(QUILLON_WINE NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(NOT QUILLON_WINE)
    find_program(QUILLON_WINE NAMES wine REQUIRED)
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${QUILLON_WINE})

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# One self-contained executable, as small as it goes: no symbols, no unused sections.
set(CMAKE_C_FLAGS_RELEASE_INIT "-O2 -DNDEBUG -ffunction-sections -fdata-sections")
set(CMAKE_CXX_FLAGS_RELEASE_INIT "-O2 -DNDEBUG -ffunction-sections -fdata-sections")
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s -Wl,--gc-sections")
