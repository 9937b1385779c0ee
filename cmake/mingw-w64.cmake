# Cross-compiles for Windows with Debian's MinGW-w64, posix-threads variant.
# HORLOMA_WIN_ARCH picks the target: i686 (the shipped program) or x86_64.
set(CMAKE_SYSTEM_NAME Windows)
if(NOT HORLOMA_WIN_ARCH)
  set(HORLOMA_WIN_ARCH i686)
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES HORLOMA_WIN_ARCH)
set(CMAKE_SYSTEM_PROCESSOR ${HORLOMA_WIN_ARCH})

set(HORLOMA_TRIPLE ${HORLOMA_WIN_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER ${HORLOMA_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${HORLOMA_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${HORLOMA_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${HORLOMA_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# CTest runs the Windows tests through Wine of the matching width; the Wine session
# script provides the prefix and the display.
if(HORLOMA_WIN_ARCH STREQUAL "x86_64")
  set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
else()
  set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine)
endif()
