# The programs as they ship: 32-bit Windows, no threading runtime.
set(CORVALIN_MINGW_ARCH i686)
set(CORVALIN_MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
