# Cross toolchain: mingw-w64 GCC for x86_64 Windows.
set(T5_TARGET_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
