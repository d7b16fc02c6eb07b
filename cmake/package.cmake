# What a launcher's engineers receive: `cmake --build --preset win32 --target package` makes
# build/win32/OrvUpdateUI-<version>-win32.zip (CPack's own ZIP writer) holding
#   bin/OrvUpdateUI.dll, bin/OrvUpdateUI.pdb   the module and its debug information
#   include/framework/interfaces/*.h           the contract a launcher compiles against, with
#   include/platform/*.h                       the few platform headers the contract names
#   integration.md                             Orvex.ini entry, exports, files, departures
#   SHA256SUMS                                 a SHA-256 line for each file above
# The headers are component `headers` alone as well: the MSVC-ABI host compiles against them
# as installed (cmake/msvc_abi.cmake).
set(ORV_PACKAGED_PLATFORM_HEADERS
  ${PROJECT_SOURCE_DIR}/platform/abi.h
  ${PROJECT_SOURCE_DIR}/platform/module_handle.h
  ${PROJECT_SOURCE_DIR}/platform/window.h)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/framework/interfaces DESTINATION include/framework
        COMPONENT headers FILES_MATCHING PATTERN "*.h")
install(FILES ${ORV_PACKAGED_PLATFORM_HEADERS} DESTINATION include/platform COMPONENT headers)
install(TARGETS OrvUpdateUI RUNTIME DESTINATION bin COMPONENT module)
install(FILES $<TARGET_FILE_DIR:OrvUpdateUI>/OrvUpdateUI.pdb DESTINATION bin COMPONENT module)
install(FILES ${PROJECT_SOURCE_DIR}/docs/integration.md DESTINATION . COMPONENT module)
# Last, so that every file is in place: the checksum list, in sha256sum's format.
install(CODE [[
  set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
  file(GLOB_RECURSE files RELATIVE "${root}" "${root}/*")
  list(REMOVE_ITEM files SHA256SUMS)
  list(SORT files)
  set(sums "")
  foreach(file IN LISTS files)
    file(SHA256 "${root}/${file}" sum)
    string(APPEND sums "${sum}  ${file}\n")
  endforeach()
  file(WRITE "${root}/SHA256SUMS" "${sums}")
]] COMPONENT module)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME OrvUpdateUI-${PROJECT_VERSION}-win32)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(CPACK_PACKAGE_FILE_NAME OrvUpdateUI-${PROJECT_VERSION}-win64)
endif()
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
set(CPACK_PACKAGE_CHECKSUM SHA256)
include(CPack)
