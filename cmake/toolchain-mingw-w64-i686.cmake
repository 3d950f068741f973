# Cross-build for 32-bit Windows with Debian's MinGW-w64 (POSIX threads):
#   make windows32, or
#   cmake -S . -B build-windows32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-w64-i686.cmake
set(VELBARINO_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
