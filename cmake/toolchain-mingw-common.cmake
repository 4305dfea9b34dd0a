# Shared part of the mingw-w64 toolchains. The including file sets TOVABEL_MINGW_TRIPLE and
# CMAKE_SYSTEM_PROCESSOR before including this one.
set(CMAKE_SYSTEM_NAME Windows)

# The -posix compilers: GoogleTest needs std::mutex and friends, which the win32 thread model
# of mingw-w64 does not provide.
set(CMAKE_C_COMPILER ${TOVABEL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOVABEL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TOVABEL_MINGW_TRIPLE}-windres)

# Headers and libraries of the target come from the mingw-w64 tree only; programs run on
# the build machine come from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${TOVABEL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Link the C++ runtime, libgcc and winpthread into every binary: no runtime DLLs to ship.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Windows programs (tests, build-time generators) run under Wine through this wrapper. It
# needs the environment that ./tovabel sets up (Xvfb, wineserver, a private prefix).
get_filename_component(_tovabel_tools_dir "${CMAKE_CURRENT_LIST_DIR}/../tools" ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${_tovabel_tools_dir}/wine-run")

# Wine's IDL files and its 64-bit Windows libraries (stdole2.tlb lives there), for widl.
set(TOVABEL_WIDL ${TOVABEL_MINGW_TRIPLE}-widl)
set(TOVABEL_WINE_IDL_DIR /usr/include/wine/wine/windows)
set(TOVABEL_WINE_WINDOWS_DIR /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)
