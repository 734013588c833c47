# The 64-bit program (x64), built and tested under Wine.
set(VANDREL_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
