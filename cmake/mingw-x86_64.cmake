# The same code as 64-bit Windows, for testing on machines that cannot run
# 32-bit x86 processes (and so no 32-bit Wine).
set(CORVALIN_MINGW_ARCH x86_64)
set(CORVALIN_MINGW_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
