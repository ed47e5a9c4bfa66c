# Cross-compiles the command line for 64-bit Windows with Debian's MinGW-w64
# (the POSIX-threads variant), linked statically so that blockwright.exe runs
# on its own; tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLET x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)

# The wizard's build adds the Qt that scripts/build-qt-windows.sh installed.
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET} ${BLOCKWRIGHT_QT_WINDOWS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Tests start through scripts/wine.sh, which takes the 64-bit loader straight:
# Debian's `wine` tries the 32-bit one first, and a kernel that runs no 32-bit
# code fails that before the program starts.
find_program(WINE_PROGRAM NAMES wine64 wine)
if(WINE_PROGRAM)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine.sh)
endif()
