# Cross-compiles for Windows x86_64 with Debian's MinGW-w64 (posix threads).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KQ_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${KQ_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KQ_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${KQ_MINGW_TRIPLE}-windres)
set(CMAKE_AR           ${KQ_MINGW_TRIPLE}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB       ${KQ_MINGW_TRIPLE}-ranlib CACHE FILEPATH "")

# Look for libraries and headers only in the MinGW sysroot, programs on the host.
set(CMAKE_FIND_ROOT_PATH /usr/${KQ_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test executables run under Wine.
find_program(KQ_WINE wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${KQ_WINE})
