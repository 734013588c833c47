# Cross build of the Windows program with Debian's mingw-w64, for one
# processor: VANDREL_ARCH is x86_64 (the default) or i686. The two files
# toolchain-mingw64.cmake and toolchain-mingw32.cmake name one each.
#
# The compilers of the "win32" thread model: the C++ runtime then uses the
# Windows API directly, without the POSIX thread library, whose timing code
# imports functions that Windows XP does not have.
if(NOT VANDREL_ARCH)
  set(VANDREL_ARCH x86_64)
endif()
set(VANDREL_ARCH ${VANDREL_ARCH} CACHE STRING "Processor of the cross build: x86_64 or i686")
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${VANDREL_ARCH})

set(VANDREL_MINGW_PREFIX ${VANDREL_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER ${VANDREL_MINGW_PREFIX}-gcc-win32)
set(CMAKE_CXX_COMPILER ${VANDREL_MINGW_PREFIX}-g++-win32)
set(CMAKE_RC_COMPILER ${VANDREL_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VANDREL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Everything is linked statically: the executables import Windows system DLLs
# only. No time stamp in the header: two builds of one commit are the same
# bytes.
# The header also names the oldest Windows that may load them: XP (5.1) on
# x86, XP x64 (5.2) on x64.
if(VANDREL_ARCH STREQUAL "i686")
  set(_vandrel_xp 5,--minor-subsystem-version,1,--major-os-version,5,--minor-os-version,1)
else()
  set(_vandrel_xp 5,--minor-subsystem-version,2,--major-os-version,5,--minor-os-version,2)
endif()
set(_vandrel_link "-Wl,--no-insert-timestamp,--major-subsystem-version,${_vandrel_xp}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ ${_vandrel_link}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ ${_vandrel_link}")

# Test executables run under Wine, in the test rig's private prefix (64-bit
# only: these machines run no 32-bit code).
get_filename_component(_vandrel_root ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)
if(VANDREL_ARCH STREQUAL "x86_64")
  set(CMAKE_CROSSCOMPILING_EMULATOR ${_vandrel_root}/scripts/wine-run)
endif()
