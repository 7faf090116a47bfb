# Resources generated at build time from one readable table per module by
# tools/resgen (its header describes the table). Windows tree only.
#
#   kq_resource_module(name TABLE file OUTPUT_NAME n [INSTALL Teacher Student]
#                      [HEADER h] [NAMESPACE ns])
#       a resource-only DLL n.dll. Code that loads from it links ${name}_ids,
#       which gives the header h (default nResources.h) with the ids as
#       constants in namespace ns (default nRes), and n_table.inc, a list of
#       every resource for tests.
#   kq_embedded_resources(target TABLE file [HEADER h] [NAMESPACE ns])
#       compiles a table's resources into a program or DLL that carries its
#       own; the target sees the header (default targetResources.h).

include_guard(GLOBAL)

if(KQ_WINDOWS)
  # Debian's interpreter and ImageMagick: /usr/local may hold other programs
  # of the same names.
  find_program(KQ_PYTHON3 NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH)
  find_program(KQ_PYTHON3 NAMES python3 REQUIRED)
  find_program(KQ_IMAGEMAGICK_CONVERT NAMES convert PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
  if(CMAKE_RC_COMPILER)
    set(KQ_WINDRES ${CMAKE_RC_COMPILER})
  else()
    find_program(KQ_WINDRES NAMES x86_64-w64-mingw32-windres REQUIRED)
  endif()
  set(KQ_RESGEN ${CMAKE_SOURCE_DIR}/tools/resgen)
  set(KQ_RESGEN_SOURCES ${KQ_RESGEN} ${CMAKE_SOURCE_DIR}/tools/resgen_images.py)
endif()

# Generates the script, header and test list of a table into dir and compiles
# the script; sets <prefix>_OBJECT, <prefix>_HEADER, <prefix>_LIST.
function(_kq_generate_resources prefix table base dir header namespace)
  get_filename_component(table ${table} ABSOLUTE)
  set(rc ${dir}/${base}.rc)
  set(list ${dir}/${base}_table.inc)
  set(object ${dir}/${base}.res.o)
  add_custom_command(
    OUTPUT ${rc} ${dir}/${header} ${list}
    COMMAND ${KQ_PYTHON3} ${KQ_RESGEN} --table ${table} --out ${dir} --base ${base}
            --header ${header} --namespace ${namespace} --convert ${KQ_IMAGEMAGICK_CONVERT}
    DEPENDS ${table} ${KQ_RESGEN_SOURCES}
    COMMENT "Drawing the resources of ${base} from ${table}"
    VERBATIM)
  # The script names the drawn images by absolute path; it is written anew
  # whenever they are, so depending on it is enough.
  add_custom_command(
    OUTPUT ${object}
    COMMAND ${KQ_WINDRES} -O coff ${rc} ${object}
    DEPENDS ${rc}
    COMMENT "Compiling the resources of ${base}"
    VERBATIM)
  set(${prefix}_OBJECT ${object} PARENT_SCOPE)
  set(${prefix}_HEADER ${dir}/${header} PARENT_SCOPE)
  set(${prefix}_LIST ${list} PARENT_SCOPE)
endfunction()

function(kq_resource_module name)
  if(NOT KQ_WINDOWS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "TABLE;OUTPUT_NAME;HEADER;NAMESPACE" "INSTALL" ${ARGN})
  if(NOT ARG_TABLE OR NOT ARG_OUTPUT_NAME)
    message(FATAL_ERROR "kq_resource_module(${name}) needs TABLE and OUTPUT_NAME")
  endif()
  if(NOT ARG_HEADER)
    set(ARG_HEADER ${ARG_OUTPUT_NAME}Resources.h)
  endif()
  if(NOT ARG_NAMESPACE)
    set(ARG_NAMESPACE ${ARG_OUTPUT_NAME}Res)
  endif()
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/${name})
  _kq_generate_resources(gen ${ARG_TABLE} ${ARG_OUTPUT_NAME} ${dir} ${ARG_HEADER} ${ARG_NAMESPACE})

  # A DLL of resources only: no code, no C runtime, no entry point.
  add_library(${name} SHARED ${gen_OBJECT})
  set_target_properties(${name} PROPERTIES PREFIX "" OUTPUT_NAME ${ARG_OUTPUT_NAME} LINKER_LANGUAGE C)
  target_link_options(${name} PRIVATE -nostdlib -Wl,-e,0)
  kq_install_runtime(${name} ${ARG_INSTALL})

  add_custom_target(${name}_generated DEPENDS ${gen_HEADER} ${gen_LIST})
  add_library(${name}_ids INTERFACE)
  target_include_directories(${name}_ids INTERFACE ${dir})
  add_dependencies(${name}_ids ${name}_generated)
endfunction()

function(kq_embedded_resources target)
  if(NOT KQ_WINDOWS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "TABLE;HEADER;NAMESPACE" "" ${ARGN})
  if(NOT ARG_TABLE)
    message(FATAL_ERROR "kq_embedded_resources(${target}) needs TABLE")
  endif()
  if(NOT ARG_HEADER)
    set(ARG_HEADER ${target}Resources.h)
  endif()
  if(NOT ARG_NAMESPACE)
    set(ARG_NAMESPACE ${target}Res)
  endif()
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources)
  _kq_generate_resources(gen ${ARG_TABLE} ${target} ${dir} ${ARG_HEADER} ${ARG_NAMESPACE})
  # The compiled script links in like any object; the header is listed so it
  # exists before the target's sources compile.
  target_sources(${target} PRIVATE ${gen_OBJECT} ${gen_HEADER})
  target_include_directories(${target} PRIVATE ${dir})
endfunction()
