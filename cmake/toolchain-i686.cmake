# Cross toolchain: mingw-w64 GCC for i686 Windows.
set(T5_TARGET_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
