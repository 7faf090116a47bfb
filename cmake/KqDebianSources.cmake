# Libraries built from Debian's source packages. tools/debian-sources pins
# them; tools/deps fetches them once into KQ_DEBIAN_SOURCES. Each tree unpacks
# them once (dpkg-source checks them against their .dsc and applies Debian's
# patches) and builds them with its own compiler, without our warning flags:
# their warnings are not ours.
#
#   kq_deflate           libdeflate (zlib-format streams of the engine's lossless blocks)
#   kq_turbojpeg         libjpeg-turbo's TurboJPEG library, SIMD code included
#   KQ_HOST_TURBOJPEG_*  Windows tree only: the same for the host's compiler
#                        (the native wire listener the wire tests run)

include_guard(GLOBAL)
include(ExternalProject)

set(KQ_DEBIAN_SOURCES ${CMAKE_SOURCE_DIR}/build/debian-sources CACHE PATH
  "Where tools/deps put the Debian source packages")
set(KQ_DEBIAN_SOURCES_PINS ${CMAKE_SOURCE_DIR}/tools/debian-sources)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${KQ_DEBIAN_SOURCES_PINS})

# Unpacks the pinned version of source package `name` into the build tree,
# once; `out` names its folder.
function(kq_unpack_debian_source name out)
  file(STRINGS ${KQ_DEBIAN_SOURCES_PINS} pin REGEX "^${name} ")
  string(REGEX REPLACE "^${name} +([0-9]+:)?" "" version "${pin}")
  if(version STREQUAL "")
    message(FATAL_ERROR "${name} is not pinned in ${KQ_DEBIAN_SOURCES_PINS}")
  endif()
  set(dsc ${KQ_DEBIAN_SOURCES}/${name}_${version}.dsc)
  if(NOT EXISTS ${dsc})
    message(FATAL_ERROR "${dsc} is missing: tools/deps fetches it")
  endif()
  set(folder ${CMAKE_BINARY_DIR}/debian-sources/${name}-${version})
  if(NOT EXISTS ${folder}/.kq-unpacked)
    file(REMOVE_RECURSE ${folder})
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/debian-sources)
    execute_process(COMMAND dpkg-source --no-copy -x ${dsc} ${folder}
      RESULT_VARIABLE failed OUTPUT_VARIABLE log ERROR_VARIABLE log)
    if(failed)
      message(FATAL_ERROR "dpkg-source could not unpack ${dsc}:\n${log}")
    endif()
    file(TOUCH ${folder}/.kq-unpacked)
  endif()
  set(${out} ${folder} PARENT_SCOPE)
endfunction()

# libdeflate: its library sources (portable C, CPU features found at run time).
kq_unpack_debian_source(libdeflate KQ_LIBDEFLATE_DIR)
file(GLOB KQ_LIBDEFLATE_SOURCES ${KQ_LIBDEFLATE_DIR}/lib/*.c ${KQ_LIBDEFLATE_DIR}/lib/*/*.c)
add_library(kq_deflate STATIC ${KQ_LIBDEFLATE_SOURCES})
target_include_directories(kq_deflate SYSTEM PUBLIC ${KQ_LIBDEFLATE_DIR})
target_compile_options(kq_deflate PRIVATE -w)
if(NOT KQ_WINDOWS)
  # It decompresses what the network delivers: checked under the sanitizers too.
  target_compile_options(kq_deflate PRIVATE -fsanitize=address,undefined -fno-sanitize-recover=undefined)
endif()

# libjpeg-turbo: its own CMake build, the static TurboJPEG library only.
kq_unpack_debian_source(libjpeg-turbo KQ_LIBJPEG_TURBO_DIR)

# kq_turbojpeg_project(target BUILD_DIR dir [ARGS cmake-args...]): an
# imported library `target` built by an external project of the same name
# with suffix _build.
function(kq_turbojpeg_project target)
  cmake_parse_arguments(ARG "" "BUILD_DIR" "ARGS" ${ARGN})
  set(library ${ARG_BUILD_DIR}/libturbojpeg.a)
  ExternalProject_Add(${target}_build
    PREFIX ${ARG_BUILD_DIR}-steps
    SOURCE_DIR ${KQ_LIBJPEG_TURBO_DIR}
    BINARY_DIR ${ARG_BUILD_DIR}
    CMAKE_ARGS
      -DCMAKE_BUILD_TYPE=Release
      -DENABLE_SHARED=OFF
      -DENABLE_STATIC=ON
      -DWITH_TURBOJPEG=ON
      -DWITH_SIMD=ON
      -DREQUIRE_SIMD=ON
      -DCMAKE_ASM_NASM_COMPILER=nasm
      -DCMAKE_POSITION_INDEPENDENT_CODE=ON
      # Never installed; its default prefix for Windows is a drive letter.
      -DCMAKE_INSTALL_PREFIX=<BINARY_DIR>/unused-prefix
      ${ARG_ARGS}
    BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target turbojpeg-static
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${library}
    LOG_CONFIGURE ON
    LOG_BUILD ON
    LOG_OUTPUT_ON_FAILURE ON)
  add_library(${target} STATIC IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES
    IMPORTED_LOCATION ${library}
    INTERFACE_INCLUDE_DIRECTORIES ${KQ_LIBJPEG_TURBO_DIR})
  add_dependencies(${target} ${target}_build)
endfunction()

set(KQ_TURBOJPEG_LAUNCHER)
if(CMAKE_C_COMPILER_LAUNCHER)
  set(KQ_TURBOJPEG_LAUNCHER -DCMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER})
endif()

if(KQ_WINDOWS)
  kq_turbojpeg_project(kq_turbojpeg
    BUILD_DIR ${CMAKE_BINARY_DIR}/debian-sources/libjpeg-turbo-build
    ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE} -DCMAKE_C_FLAGS=-w ${KQ_TURBOJPEG_LAUNCHER})
  kq_turbojpeg_project(kq_host_turbojpeg
    BUILD_DIR ${CMAKE_BINARY_DIR}/debian-sources/libjpeg-turbo-host
    ARGS -DCMAKE_C_COMPILER=cc -DCMAKE_C_FLAGS=-w ${KQ_TURBOJPEG_LAUNCHER})
  set(KQ_HOST_TURBOJPEG_INCLUDE ${KQ_LIBJPEG_TURBO_DIR})
  set(KQ_HOST_TURBOJPEG_LIBRARY ${CMAKE_BINARY_DIR}/debian-sources/libjpeg-turbo-host/libturbojpeg.a)
else()
  # It decodes what the network delivers: checked under the sanitizers too.
  kq_turbojpeg_project(kq_turbojpeg
    BUILD_DIR ${CMAKE_BINARY_DIR}/debian-sources/libjpeg-turbo-build
    ARGS "-DCMAKE_C_FLAGS=-w -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
         ${KQ_TURBOJPEG_LAUNCHER})
endif()
