# Cross-compiling for Windows with Debian's mingw-w64, in the thread model
# CORVALIN_MINGW_THREADS names: win32 for the programs that ship, which then
# link no threading runtime, posix for the tests (GoogleTest needs
# std::mutex, which the win32 model lacks).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${CORVALIN_MINGW_ARCH})
set(triple ${CORVALIN_MINGW_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-${CORVALIN_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${triple}-g++-${CORVALIN_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
