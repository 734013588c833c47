# GoogleTest from Debian's source package (googletest), for the native and
# the cross build alike.
set(VANDREL_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
if(NOT EXISTS ${VANDREL_GTEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest sources not found in ${VANDREL_GTEST_SOURCE}: install the googletest package")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${VANDREL_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
if(TARGET gtest)
  if(WIN32)
    # The C++ runtime of the cross build has no std::mutex (its thread model
    # is Windows' own): see GoogleTestWin32.h.
    target_compile_options(gtest PUBLIC -include ${CMAKE_CURRENT_LIST_DIR}/GoogleTestWin32.h)
  endif()
  target_compile_options(gtest PRIVATE -w)
  target_compile_options(gtest_main PRIVATE -w)
  target_compile_options(gmock PRIVATE -w)
  target_compile_options(gmock_main PRIVATE -w)
endif()
include(GoogleTest)
