# The Windows tests run under wine64 in the build's own prefix, offscreen: CTest starts each
# through build-windows/wine-run.
set(KIV_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
  WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
# The prefix is made once before the tests: two programs that make it at the same time race
# for its server, and one of them fails.
add_test(NAME windows_wine_prefix COMMAND ${CMAKE_BINARY_DIR}/wine-run wineboot -u)
set_tests_properties(windows_wine_prefix PROPERTIES FIXTURES_SETUP windows_wine_prefix
  TIMEOUT 300)

# Offscreen, a Windows program finds no fonts of the system: it gets those the Linux tests
# use, and the same style, so that both compare their forms with one design. The real window
# keeps the Windows style (windows_window).
set(KIV_WINDOWS_TEST_ENVIRONMENT
  "QT_QPA_FONTDIR=Z:/usr/share/fonts/truetype/liberation2;QT_STYLE_OVERRIDE=fusion")

# Tests not built for Windows, each for what it needs that only a POSIX system has.
set(KIV_POSIX_ONLY_TESTS
  # named pipes and file permissions in place of the settings file
  test_settingsfile
  # kivnvm's runner, which copies the POSIX programs (tests/windows runs kivnvm.exe instead)
  test_phonework test_uploadplan
)
