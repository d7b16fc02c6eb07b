# The Windows builds' tests run under Wine, all in one prefix per build tree. A fixture starts
# Wine's server before them and stops it after them: with the server primed, each program
# starts in a fraction of a second instead of about 2.5 s, and `ctest` needs nothing prepared
# around it. The work is done by wine_tests.sh, which also sets Wine's environment, so that
# every program of the build's tests starts the same way.
set(ORV_WINE_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/wine_tests.sh)
set(ORV_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
math(EXPR orv_windows_bits "${CMAKE_SIZEOF_VOID_P} * 8")

# The build's programs start through the script. Where the fixture finds that this machine
# cannot run them, it fails and every test with it, unless ORV_SKIP_WIN32_TESTS=1 asked to
# skip a 32-bit build's tests: then each reports itself skipped, with the reason.
set(CMAKE_CROSSCOMPILING_EMULATOR bash ${ORV_WINE_SCRIPT} run ${ORV_WINE_PREFIX} ${CMAKE_CROSSCOMPILING_EMULATOR})

add_test(NAME wine_start COMMAND bash ${ORV_WINE_SCRIPT} start ${ORV_WINE_PREFIX} ${orv_windows_bits})
add_test(NAME wine_stop COMMAND bash ${ORV_WINE_SCRIPT} stop ${ORV_WINE_PREFIX})
set_tests_properties(wine_start PROPERTIES FIXTURES_SETUP wine)
set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine)

# The properties of a test that runs in the fixture's Wine.
set(ORV_WINE_TEST_PROPERTIES FIXTURES_REQUIRED wine SKIP_RETURN_CODE 77)

# Makes the listed tests (of the calling directory) run in the fixture's Wine.
function(orv_wine_tests)
  set_tests_properties(${ARGN} PROPERTIES ${ORV_WINE_TEST_PROPERTIES})
endfunction()
