# The 32-bit program (x86). These machines cannot run it: it is checked
# statically (tests/static).
set(VANDREL_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
