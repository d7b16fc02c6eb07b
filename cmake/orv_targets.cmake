# Helpers shared by the targets of the project.

# Chooses foo_win.cpp or foo_posix.cpp for each listed service `foo` of a folder.
function(orv_platform_sources out_var)
  set(result)
  foreach(service IN LISTS ARGN)
    if(WIN32)
      list(APPEND result ${service}_win.cpp)
    else()
      list(APPEND result ${service}_posix.cpp)
    endif()
  endforeach()
  set(${out_var} ${result} PARENT_SCOPE)
endfunction()

# A DLL of ours: `<name>.dll` on every system (on POSIX an ELF file whose soname is the same
# name), exporting exactly what EXPORTS names: a .def file on Windows, and on POSIX the
# version script of the same base name beside it (foo.def, foo.map).
#   orv_add_dll(<name> EXPORTS <file.def> [OUTPUT_NAME <name>] [FOLDER <dir>] SOURCES ...)
function(orv_add_dll name)
  cmake_parse_arguments(PARSE_ARGV 1 dll "" "EXPORTS;OUTPUT_NAME;FOLDER" "SOURCES")
  add_library(${name} SHARED ${dll_SOURCES})
  target_link_libraries(${name} PRIVATE orv_build_options)
  set_target_properties(${name} PROPERTIES PREFIX "" SUFFIX ".dll")
  if(ORV_PDB)
    # Its debug information is in the PDB beside it; the DWARF that the runtime libraries
    # bring along would only triple the file's size.
    add_custom_command(TARGET ${name} POST_BUILD
                       COMMAND ${CMAKE_OBJCOPY} --strip-debug $<TARGET_FILE:${name}> VERBATIM)
  endif()
  if(dll_OUTPUT_NAME)
    set_target_properties(${name} PROPERTIES OUTPUT_NAME ${dll_OUTPUT_NAME})
  endif()
  if(dll_FOLDER)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${dll_FOLDER}
                                             LIBRARY_OUTPUT_DIRECTORY ${dll_FOLDER})
  endif()
  if(NOT dll_EXPORTS)
    return()
  endif()
  if(WIN32)
    target_sources(${name} PRIVATE ${dll_EXPORTS})
  else()
    # Without a version script the functions marked ORV_EXPORT are what it exports.
    string(REGEX REPLACE "\\.def$" ".map" version_script ${dll_EXPORTS})
    target_link_options(${name} PRIVATE -Wl,--no-undefined)
    if(EXISTS ${version_script})
      target_link_options(${name} PRIVATE -Wl,--version-script=${version_script})
      set_property(TARGET ${name} APPEND PROPERTY LINK_DEPENDS ${version_script})
    endif()
  endif()
endfunction()

# A component module: a DLL with the seven exports of module/exports.def and its own copy of
# the component runtime (its own module-wide state).
function(orv_add_component_module name)
  orv_add_dll(${name} EXPORTS ${PROJECT_SOURCE_DIR}/module/exports.def SOURCES ${ARGN})
  target_link_libraries(${name} PRIVATE orv_component_runtime)
endfunction()
