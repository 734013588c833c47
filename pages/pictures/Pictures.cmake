# The program's pictures, drawn at build time by vandrel-picturegen.
#
# Include this file from the CMake of the program that embeds the pictures.
# It defines:
#   vandrel_pictures       target: draws every picture and pictures.rc
#   VANDREL_PICTURE_DIR    folder of the pictures and of pictures.rc (the
#                          resource compiler's include folder for them)
#   VANDREL_PICTURE_RC     the generated resource script, rewritten whenever
#                          the pictures are: the program's own .rc includes
#                          it (#include "pictures.rc", with VANDREL_PICTURE_DIR
#                          on the resource compiler's include path) and lists
#                          it among its OBJECT_DEPENDS
#   vandrel_picture_sheet  target: writes pictures-sheet.png, a contact
#                          sheet of all pictures, into the build folder
#
# In a cross build (CMAKE_CROSSCOMPILING) the generator is a nested project
# built with the machine's own C++ compiler, never with the cross toolchain.
include_guard(GLOBAL)

set(_vandrel_pictures_source ${CMAKE_CURRENT_LIST_DIR})
set(VANDREL_PICTURE_DIR ${CMAKE_BINARY_DIR}/pictures)
set(VANDREL_PICTURE_RC ${VANDREL_PICTURE_DIR}/pictures.rc)

if(CMAKE_CROSSCOMPILING)
  include(ExternalProject)
  # The toolchain file makes find_program search the host anyway; say so.
  find_program(VANDREL_HOST_CXX NAMES c++ g++ clang++ NO_CMAKE_FIND_ROOT_PATH)
  if(NOT VANDREL_HOST_CXX)
    message(FATAL_ERROR "No native C++ compiler to build the picture generator with")
  endif()
  set(VANDREL_PICTUREGEN_JOBS 2 CACHE STRING "Parallel jobs of the picture generator's nested native build")
  set(_vandrel_host_dir ${CMAKE_BINARY_DIR}/picturegen-host)
  set(_vandrel_picturegen ${_vandrel_host_dir}/vandrel-picturegen)
  ExternalProject_Add(vandrel_picturegen_host
    SOURCE_DIR ${_vandrel_pictures_source}
    PREFIX ${CMAKE_BINARY_DIR}/picturegen-host-ep
    BINARY_DIR ${_vandrel_host_dir}
    # A native configure: nothing of the cross build's environment (a
    # toolchain file, compilers, flags or a pkg-config path given through
    # environment variables) may reach it.
    CONFIGURE_COMMAND
      ${CMAKE_COMMAND} -E env
        --unset=CMAKE_TOOLCHAIN_FILE --unset=CC --unset=CXX --unset=CFLAGS --unset=CXXFLAGS
        --unset=LDFLAGS --unset=PKG_CONFIG_LIBDIR --unset=PKG_CONFIG_SYSROOT_DIR
      ${CMAKE_COMMAND} -G ${CMAKE_GENERATOR} -S <SOURCE_DIR> -B <BINARY_DIR>
        -DCMAKE_MAKE_PROGRAM=${CMAKE_MAKE_PROGRAM}
        -DCMAKE_BUILD_TYPE=Release
        -DCMAKE_CXX_COMPILER=${VANDREL_HOST_CXX}
    BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --parallel ${VANDREL_PICTUREGEN_JOBS}
    INSTALL_COMMAND ""
    # Its own build decides what is out of date; the pictures follow the
    # tool's timestamp.
    BUILD_ALWAYS TRUE
    BUILD_BYPRODUCTS ${_vandrel_picturegen})
  set(_vandrel_picturegen_depends vandrel_picturegen_host ${_vandrel_picturegen})
else()
  if(NOT TARGET vandrel_picturegen)
    add_subdirectory(${_vandrel_pictures_source} ${CMAKE_BINARY_DIR}/pages/pictures)
  endif()
  set(_vandrel_picturegen $<TARGET_FILE:vandrel_picturegen>)
  set(_vandrel_picturegen_depends vandrel_picturegen)
endif()

add_custom_command(
  OUTPUT ${VANDREL_PICTURE_RC}
  # A fresh folder, so that no picture of an earlier table lingers.
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${VANDREL_PICTURE_DIR}
  COMMAND ${_vandrel_picturegen} ${VANDREL_PICTURE_DIR}
  DEPENDS ${_vandrel_picturegen_depends}
  COMMENT "Drawing the program's pictures into ${VANDREL_PICTURE_DIR}"
  VERBATIM)
add_custom_target(vandrel_pictures DEPENDS ${VANDREL_PICTURE_RC})

find_program(VANDREL_MONTAGE montage)
if(VANDREL_MONTAGE)
  add_custom_target(vandrel_picture_sheet
    COMMAND ${_vandrel_pictures_source}/contact-sheet.sh ${VANDREL_PICTURE_DIR} ${CMAKE_BINARY_DIR}/pictures-sheet.png
    DEPENDS ${VANDREL_PICTURE_RC}
    COMMENT "Contact sheet of the pictures: ${CMAKE_BINARY_DIR}/pictures-sheet.png"
    VERBATIM)
  add_dependencies(vandrel_picture_sheet vandrel_pictures)
endif()
