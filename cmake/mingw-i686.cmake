# Cross-compiles for 32-bit Windows with Debian's MinGW-w64.
# The -posix compilers are needed: GoogleTest does not build with the win32-thread ones.
if(NOT ZELBRIN_MINGW_TRIPLE)
    set(ZELBRIN_MINGW_TRIPLE i686-w64-mingw32)
endif()
string(REGEX REPLACE "-.*" "" CMAKE_SYSTEM_PROCESSOR ${ZELBRIN_MINGW_TRIPLE})
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${ZELBRIN_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZELBRIN_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ZELBRIN_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZELBRIN_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Test exes run under Wine, with the project's own prefix and code page 936.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
