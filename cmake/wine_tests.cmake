# The Windows builds' tests run under Wine, all in one prefix per build tree. A fixture starts
# Wine's server before them and stops it after them: with the server primed, each program
# starts in a fraction of a second instead of about 2.5 s, and `ctest` needs nothing prepared
# around it. The work is done by wine_tests.sh.
set(ORV_WINE_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/wine_tests.sh)
set(ORV_WINE_ENVIRONMENT "WINEDEBUG=-all;WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix")
math(EXPR orv_windows_bits "${CMAKE_SIZEOF_VOID_P} * 8")

# The build's programs start through the script, which reports a test as skipped, with the
# reason, where the fixture found that this machine cannot run them (32-bit builds only).
set(CMAKE_CROSSCOMPILING_EMULATOR bash ${ORV_WINE_SCRIPT} run ${CMAKE_CROSSCOMPILING_EMULATOR})

add_test(NAME wine_start COMMAND bash ${ORV_WINE_SCRIPT} start ${orv_windows_bits})
add_test(NAME wine_stop COMMAND bash ${ORV_WINE_SCRIPT} stop)
set_tests_properties(wine_start PROPERTIES FIXTURES_SETUP wine)
set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine)
set_tests_properties(wine_start wine_stop PROPERTIES ENVIRONMENT "${ORV_WINE_ENVIRONMENT}")

# Makes the listed tests (of the calling directory) run in the fixture's Wine.
function(orv_wine_tests)
  set_tests_properties(${ARGN} PROPERTIES FIXTURES_REQUIRED wine
    ENVIRONMENT "${ORV_WINE_ENVIRONMENT}")
  if(orv_windows_bits EQUAL 32)
    set_tests_properties(${ARGN} PROPERTIES SKIP_RETURN_CODE 77)
  endif()
endfunction()
