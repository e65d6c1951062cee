include(${CMAKE_SOURCE_DIR}/tests/win32/orbellan/OrbellanTests.cmake)
add_test(NAME win32.win32_shared_tests
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-run ${ORB_WINEPREFIX} ${ORB_WINDOWS_TEST_DIR}/bin/win32_shared_tests.exe)
set_tests_properties(win32.win32_shared_tests PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 300)
include(${CMAKE_SOURCE_DIR}/tests/win32/ViewerWineTests.cmake)
include(${CMAKE_SOURCE_DIR}/tests/win32/DesktopWineTests.cmake)
