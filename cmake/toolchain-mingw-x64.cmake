# Cross build for 64-bit Windows with Debian's mingw-w64 (see toolchain-mingw-common.cmake).
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(TOVABEL_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
