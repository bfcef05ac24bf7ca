# Cross-compiling the 64-bit Windows programs with mingw-w64 on Linux: the same sources as the
# 32-bit build, tested on every machine (64-bit Wine runs everywhere).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
