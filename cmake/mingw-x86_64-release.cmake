# The shipped program's 64-bit twin, which `make run` starts on machines
# that cannot run 32-bit x86 processes.
set(CORVALIN_MINGW_ARCH x86_64)
set(CORVALIN_MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
