# The shipped DLL driven at run time from the Microsoft C++ ABI, which the launcher and the
# framework's components are built with: a host program (tests/msvc_abi/) and a fake framework
# (testbed/msvc_abi/, OrvFact.dll) compiled by clang for the MSVC targets, freestanding (no
# Microsoft headers or libraries: the Windows functions come from MinGW-w64's import
# libraries), run under the build's Wine against the very DLL that ships.
#
# The host compiles against the contract headers as the package holds them: they are installed
# (component `headers`) into a folder of the build first, which the compiler searches before
# the source tree.
set(orv_msvc_dir ${CMAKE_BINARY_DIR}/msvc_abi)
set(orv_msvc_stage ${orv_msvc_dir}/package)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(orv_msvc_target i686-pc-windows-msvc)
  set(orv_msvc_libs /usr/i686-w64-mingw32/lib)
  set(orv_msvc_link_flags /safeseh:no /machine:x86)
  set(orv_msvc_fake_base "")
else()
  set(orv_msvc_target x86_64-pc-windows-msvc)
  set(orv_msvc_libs /usr/x86_64-w64-mingw32/lib)
  set(orv_msvc_link_flags /machine:x64)
  # The fake below 4 GB, where a 32-bit DLL lies: its checks pass its own addresses as 32-bit
  # numbers (an argument moved by one is seen as one; an integer SetValue landing on the
  # text overload stores the fake's text instead of reading a wild pointer).
  set(orv_msvc_fake_base /base:0x10000000 /dynamicbase:no)
endif()
find_program(ORV_MSVC_CLANG clang++ REQUIRED NO_CMAKE_FIND_ROOT_PATH)
find_program(ORV_LLD_LINK lld-link REQUIRED NO_CMAKE_FIND_ROOT_PATH)

file(GLOB orv_contract_headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/framework/interfaces/*.h)
# The installed headers must compile alone, with nothing of the source tree behind them.
set(orv_every_header "")
foreach(header IN LISTS orv_contract_headers)
  get_filename_component(name ${header} NAME)
  string(APPEND orv_every_header "#include \"framework/interfaces/${name}\"\n")
endforeach()
file(CONFIGURE OUTPUT ${orv_msvc_dir}/every_contract_header.cpp CONTENT "${orv_every_header}")
add_custom_command(OUTPUT ${orv_msvc_stage}/headers.stamp
  COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --prefix ${orv_msvc_stage} --component headers
  COMMAND ${ORV_MSVC_CLANG} --target=${orv_msvc_target} -std=c++17 -ffreestanding -nostdinc++
          -fsyntax-only -Werror -I ${orv_msvc_stage}/include -I ${PROJECT_SOURCE_DIR}/tests/abi/include
          ${orv_msvc_dir}/every_contract_header.cpp
  COMMAND ${CMAKE_COMMAND} -E touch ${orv_msvc_stage}/headers.stamp
  DEPENDS ${orv_contract_headers} ${ORV_PACKAGED_PLATFORM_HEADERS}
  COMMENT "Installing the contract headers as packaged, for the MSVC-ABI host")

# Compiles each source (relative to the source root) into an object of `dir`; the object
# paths go to `out_var`.
function(orv_msvc_abi_objects out_var dir)
  file(MAKE_DIRECTORY ${dir})
  set(objects)
  foreach(source IN LISTS ARGN)
    get_filename_component(name ${source} NAME_WE)
    set(object ${dir}/${name}.obj)
    add_custom_command(OUTPUT ${object}
      COMMAND ${ORV_MSVC_CLANG} --target=${orv_msvc_target} -std=c++17 -O2 -ffreestanding
              -nostdinc++ -fno-exceptions -fno-rtti -fno-threadsafe-statics -fno-builtin
              -mno-stack-arg-probe -Wall -Wextra -Werror -Wno-unused-parameter
              -I ${orv_msvc_stage}/include -I ${PROJECT_SOURCE_DIR}/tests/abi/include
              -idirafter ${PROJECT_SOURCE_DIR} -MD -MF ${object}.d
              -c ${PROJECT_SOURCE_DIR}/${source} -o ${object}
      DEPENDS ${PROJECT_SOURCE_DIR}/${source} ${orv_msvc_stage}/headers.stamp
      DEPFILE ${object}.d
      COMMENT "MSVC ABI: compiling ${source}" VERBATIM)
    list(APPEND objects ${object})
  endforeach()
  set(${out_var} ${objects} PARENT_SCOPE)
endfunction()

set(orv_msvc_common testbed/msvc_abi/freestanding.cpp)
orv_msvc_abi_objects(fake_objects ${orv_msvc_dir}/fake ${orv_msvc_common}
  testbed/msvc_abi/fake_framework.cpp testbed/msvc_abi/fake_ui.cpp)
orv_msvc_abi_objects(host_objects ${orv_msvc_dir}/host ${orv_msvc_common}
  testbed/msvc_abi/import_table.cpp testbed/msvc_abi/launcher_stand_in.cpp
  testbed/msvc_abi/loaded_module.cpp testbed/msvc_abi/process_footprint.cpp
  tests/msvc_abi/checks_and_loading.cpp tests/msvc_abi/host_main.cpp
  tests/msvc_abi/launcher_session.cpp tests/msvc_abi/unload_cycles.cpp)
set(orv_msvc_link ${ORV_LLD_LINK} /nologo /nodefaultlib ${orv_msvc_link_flags} /debug
                  ${orv_msvc_libs}/libkernel32.a)
add_custom_command(OUTPUT ${orv_msvc_dir}/OrvFact.dll
  COMMAND ${orv_msvc_link} /dll ${orv_msvc_fake_base} /entry:FakeFrameworkEntry
          /out:${orv_msvc_dir}/OrvFact.dll ${fake_objects}
  DEPENDS ${fake_objects} COMMENT "MSVC ABI: linking the fake framework OrvFact.dll" VERBATIM)
add_custom_command(OUTPUT ${orv_msvc_dir}/orv_msvc_abi_host.exe
  COMMAND ${orv_msvc_link} /subsystem:console /entry:HostMain
          /out:${orv_msvc_dir}/orv_msvc_abi_host.exe ${host_objects}
  DEPENDS ${host_objects} COMMENT "MSVC ABI: linking the host" VERBATIM)
add_custom_target(orv_msvc_abi ALL
  DEPENDS ${orv_msvc_dir}/OrvFact.dll ${orv_msvc_dir}/orv_msvc_abi_host.exe)
add_dependencies(orv_msvc_abi OrvUpdateUI)

set(orv_msvc_host ${CMAKE_CROSSCOMPILING_EMULATOR} ${orv_msvc_dir}/orv_msvc_abi_host.exe)
add_test(NAME msvc_abi_unload_cycles
  COMMAND ${orv_msvc_host} cycles 5000 $<TARGET_FILE:OrvUpdateUI> WORKING_DIRECTORY ${orv_msvc_dir})
add_test(NAME msvc_abi_launcher_session
  COMMAND ${orv_msvc_host} session $<TARGET_FILE:OrvUpdateUI> WORKING_DIRECTORY ${orv_msvc_dir})
set_tests_properties(msvc_abi_unload_cycles msvc_abi_launcher_session
  PROPERTIES ${ORV_WINE_TEST_PROPERTIES} TIMEOUT 300 RESOURCE_LOCK msvc_abi_folder)
