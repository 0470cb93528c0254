# Shared body of the toolchain files: mingw-w64 GCC (posix threads) for
# T5_TARGET_ARCH, producing Windows binaries that the test command runs under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${T5_TARGET_ARCH})
set(T5_TRIPLE ${T5_TARGET_ARCH}-w64-mingw32)

set(CMAKE_C_COMPILER   ${T5_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${T5_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${T5_TRIPLE}-windres)
set(CMAKE_OBJDUMP      ${T5_TRIPLE}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${T5_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Tests run under Wine; the test command provides the prefix and the wineserver.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
