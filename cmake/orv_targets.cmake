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

# A component module: a shared library named `<name>.dll` on every system (on POSIX an ELF
# file whose soname is the same name), exporting exactly the functions of module/exports.def.
function(orv_add_component_module name)
  add_library(${name} SHARED ${ARGN} $<TARGET_OBJECTS:orv_runtime>)
  target_link_libraries(${name} PRIVATE orv_framework orv_platform)
  set_target_properties(${name} PROPERTIES PREFIX "" SUFFIX ".dll" OUTPUT_NAME ${name})
  if(WIN32)
    target_sources(${name} PRIVATE ${CMAKE_SOURCE_DIR}/module/exports.def)
  else()
    target_link_libraries(${name} PRIVATE dl pthread)
    target_link_options(${name} PRIVATE -Wl,--no-undefined
                        -Wl,--version-script=${CMAKE_SOURCE_DIR}/module/exports.map)
    set_property(TARGET ${name} APPEND PROPERTY LINK_DEPENDS ${CMAKE_SOURCE_DIR}/module/exports.map)
  endif()
endfunction()
