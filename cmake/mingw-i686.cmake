# The 32-bit Windows tests.
set(CORVALIN_MINGW_ARCH i686)
set(CORVALIN_MINGW_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
