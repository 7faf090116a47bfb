# Helper functions every folder uses to declare its targets in a few lines.
#
# Two trees are configured from this project:
#   - the Windows tree (toolchain cmake/mingw-w64.cmake): every program, library and test;
#   - the native tree (host compiler): only the portable libraries and their tests,
#     with AddressSanitizer and UndefinedBehaviorSanitizer.
#
#   kq_portable_library(name SOURCES ... [LIBS ...])            both trees
#   kq_static_library(name SOURCES ... [LIBS ...])               Windows tree
#   kq_program(name SOURCES ... [LIBS ...] [CONSOLE] [OUTPUT_NAME n] [INSTALL Teacher Student])
#   kq_shared_library(name DEF file.def SOURCES ... [LIBS ...] [OUTPUT_NAME n] [INSTALL ...])
#   kq_test(name SOURCES ... [LIBS ...] [PORTABLE] [ISOLATED] [TIMEOUT s])   one executable per folder
#   kq_isolated_test(name PROGRAM target [GEOMETRY WxHxD] [TIMEOUT s] [ARGS ...])   a test program on a screen,
#                    a Wine prefix and a network of its own

include_guard(GLOBAL)

if(WIN32)
  set(KQ_WINDOWS ON)
else()
  set(KQ_WINDOWS OFF)
endif()

# The install folders a school copies onto its PCs.
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
  set(CMAKE_INSTALL_PREFIX ${CMAKE_SOURCE_DIR}/dist CACHE PATH "" FORCE)
endif()

# Every module sits next to the programs and tests that load it.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

function(kq_apply_options target)
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
  target_compile_options(${target} PRIVATE
    -Wall -Wextra
    $<$<COMPILE_LANGUAGE:CXX,C>:-finput-charset=UTF-8 -fexec-charset=GBK>)
  if(KQ_WINDOWS)
    # An ANSI (multi-byte) build for Windows 7 and later.
    target_compile_definitions(${target} PUBLIC _WIN32_WINNT=0x0601 WINVER=0x0601 _MBCS)
    target_link_options(${target} PRIVATE -static)
  else()
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
      -fno-sanitize-recover=undefined)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

function(kq_install_runtime target)
  foreach(dest IN LISTS ARGN)
    install(FILES $<TARGET_FILE:${target}> DESTINATION ${dest})
  endforeach()
endfunction()

function(kq_portable_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  kq_apply_options(${name})
  if(NOT KQ_WINDOWS)
    # Sanitizer instrumentation must reach whatever links the library.
    target_compile_options(${name} PUBLIC -fsanitize=address,undefined)
    target_link_options(${name} PUBLIC -fsanitize=address,undefined)
  endif()
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
endfunction()

function(kq_static_library name)
  if(NOT KQ_WINDOWS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  kq_apply_options(${name})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
endfunction()

function(kq_program name)
  if(NOT KQ_WINDOWS)
    return()
  endif()
  cmake_parse_arguments(ARG "CONSOLE" "OUTPUT_NAME" "SOURCES;LIBS;INSTALL" ${ARGN})
  if(ARG_CONSOLE)
    add_executable(${name} ${ARG_SOURCES})
  else()
    add_executable(${name} WIN32 ${ARG_SOURCES})
  endif()
  kq_apply_options(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  if(ARG_OUTPUT_NAME)
    set_target_properties(${name} PROPERTIES OUTPUT_NAME ${ARG_OUTPUT_NAME})
  endif()
  kq_install_runtime(${name} ${ARG_INSTALL})
endfunction()

# A DLL whose exports (names and fixed ordinals) come from a .def file.
function(kq_shared_library name)
  if(NOT KQ_WINDOWS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "DEF;OUTPUT_NAME" "SOURCES;LIBS;INSTALL" ${ARGN})
  add_library(${name} SHARED ${ARG_SOURCES} ${ARG_DEF})
  kq_apply_options(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  set_target_properties(${name} PROPERTIES PREFIX "")
  if(ARG_OUTPUT_NAME)
    set_target_properties(${name} PROPERTIES OUTPUT_NAME ${ARG_OUTPUT_NAME})
  endif()
  kq_install_runtime(${name} ${ARG_INSTALL})
endfunction()

# A Windows test program run by tools/isolated: its screen, Wine prefix and
# network are its own, so that it may run beside the other tests however
# much of the display, the machine's named objects or its registry it
# takes. It keeps a program or two of its own busy: two processors' worth.
function(kq_isolated_test name)
  cmake_parse_arguments(ARG "" "PROGRAM;GEOMETRY;TIMEOUT" "ARGS" ${ARGN})
  if(NOT ARG_GEOMETRY)
    set(ARG_GEOMETRY 1024x768x24)
  endif()
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  add_test(NAME ${name}
    COMMAND bash ${CMAKE_SOURCE_DIR}/tools/isolated --geometry ${ARG_GEOMETRY} $<TARGET_FILE:${ARG_PROGRAM}> ${ARG_ARGS}
    WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
  set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT} PROCESSORS 2)
endfunction()

# One GoogleTest executable per folder. PORTABLE tests also run natively
# under the sanitizers; the others only run under Wine, ISOLATED ones as
# kq_isolated_test does.
function(kq_test name)
  cmake_parse_arguments(ARG "PORTABLE;ISOLATED" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT KQ_WINDOWS AND NOT ARG_PORTABLE)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  kq_apply_options(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} gmock gtest_main)
  if(KQ_WINDOWS)
    set(test_name ${name})
  else()
    set(test_name ${name}.native)
  endif()
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  if(ARG_ISOLATED AND KQ_WINDOWS)
    kq_isolated_test(${test_name} PROGRAM ${name} TIMEOUT ${ARG_TIMEOUT})
    return()
  endif()
  add_test(NAME ${test_name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
  set_tests_properties(${test_name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
endfunction()

# A test that is a script (end-to-end runs of whole PCs).
function(kq_script_test name script)
  cmake_parse_arguments(ARG "" "TIMEOUT" "ARGS" ${ARGN})
  add_test(NAME ${name} COMMAND bash ${script} ${ARG_ARGS})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
endfunction()

# GoogleTest, built once per tree from Debian's source package with the tree's compiler.
macro(kq_add_googletest)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  foreach(t gtest gtest_main gmock gmock_main)
    if(KQ_WINDOWS)
      target_link_options(${t} INTERFACE -static)
    else()
      target_compile_options(${t} PRIVATE -fsanitize=address,undefined)
    endif()
  endforeach()
endmacro()
include(KqResources)

# Help pages: written in UTF-8 in the source tree, shipped in code page 936
# (the pages declare gb2312) in the "help" folder of an install folder.
#   kq_help_pages(target FOLDER build-dir DESTINATION install-dir)
function(kq_help_pages target)
  if(NOT KQ_WINDOWS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "FOLDER;DESTINATION" "" ${ARGN})
  find_program(KQ_ICONV NAMES iconv REQUIRED)
  file(GLOB pages CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.htm)
  set(converted)
  foreach(page IN LISTS pages)
    get_filename_component(name ${page} NAME)
    add_custom_command(
      OUTPUT ${ARG_FOLDER}/${name}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${ARG_FOLDER}
      COMMAND ${KQ_ICONV} -f UTF-8 -t CP936 -o ${ARG_FOLDER}/${name} ${page}
      DEPENDS ${page}
      COMMENT "Help page ${name} in code page 936"
      VERBATIM)
    list(APPEND converted ${ARG_FOLDER}/${name})
  endforeach()
  add_custom_target(${target} ALL DEPENDS ${converted})
  install(FILES ${converted} DESTINATION ${ARG_DESTINATION})
endfunction()
