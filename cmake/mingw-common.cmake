set(CMAKE_C_COMPILER ${KD_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KD_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KD_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KD_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Everything static: the shipped .scr needs no DLL beyond Windows' own.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Release programs are small: optimised for size (the top-level CMakeLists replaces CMake's
# -O3), unused code dropped, symbols stripped.
set(CMAKE_C_FLAGS_RELEASE_INIT "-ffunction-sections -fdata-sections")
set(CMAKE_CXX_FLAGS_RELEASE_INIT "-ffunction-sections -fdata-sections")
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s -Wl,--gc-sections")
set(CMAKE_SHARED_LINKER_FLAGS_RELEASE_INIT "-s -Wl,--gc-sections")

# ctest runs the Windows executables under Wine: the top-level CMakeLists names the emulator,
# with the build tree's own prefix.
