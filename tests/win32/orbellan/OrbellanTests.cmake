# Runs Orbellan.exe under Wine and Xvfb, worked by our own driver program.
# Screenshots of the main dialog land in <build>/artefacts/orbellan.
set(ORB_ORBELLAN_ARTEFACTS ${CMAKE_BINARY_DIR}/artefacts/orbellan)
file(MAKE_DIRECTORY ${ORB_ORBELLAN_ARTEFACTS})
add_test(NAME win32.orbellan.main_dialog
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-run ${ORB_WINEPREFIX} ${ORB_WINDOWS_TEST_DIR}/bin/orbellan_driver.exe
          ${ORB_WINDOWS_TEST_DIR}/bin/Orbellan.exe ${ORB_ORBELLAN_ARTEFACTS})
set_tests_properties(win32.orbellan.main_dialog PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 300 RUN_SERIAL ON)

# Orbellan.exe's own Windows pieces as a GoogleTest program.
add_test(NAME win32.orbellan_win32_tests
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-run ${ORB_WINEPREFIX} ${ORB_WINDOWS_TEST_DIR}/bin/orbellan_win32_tests.exe)
set_tests_properties(win32.orbellan_win32_tests PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 300)

# From pictures to a built saver that runs, on a private X screen and Wine prefix.
add_test(NAME win32.orbellan.build_saver
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/orbellan_build_test.sh ${ORB_WINDOWS_TEST_DIR}/bin
          ${CMAKE_BINARY_DIR}/wine-tests/orbellan-build ${ORB_ORBELLAN_ARTEFACTS})
set_tests_properties(win32.orbellan.build_saver PROPERTIES TIMEOUT 600 RUN_SERIAL ON)

# Project-wide work: remembered colours and the colour picker, background Browse,
# saving under typed names, loading every field, an actor file named at start-up.
add_test(NAME win32.orbellan.project
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/orbellan_driver_test.sh orbellan_project_driver ${ORB_WINDOWS_TEST_DIR}/bin
          ${CMAKE_BINARY_DIR}/wine-tests/orbellan-project ${ORB_ORBELLAN_ARTEFACTS})
set_tests_properties(win32.orbellan.project PROPERTIES TIMEOUT 600 RUN_SERIAL ON)

# Actor work: import paths, the actor list and the Modify Actor dialog.
add_test(NAME win32.orbellan.actors
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/orbellan_driver_test.sh orbellan_actor_driver ${ORB_WINDOWS_TEST_DIR}/bin
          ${CMAKE_BINARY_DIR}/wine-tests/orbellan-actors ${ORB_ORBELLAN_ARTEFACTS})
set_tests_properties(win32.orbellan.actors PROPERTIES TIMEOUT 600 RUN_SERIAL ON)

# Clip import: the preview's frame, the clip's facts, the sample positions and
# scaled size, and the messages for clips that cannot be read.
add_test(NAME win32.orbellan.avi
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/orbellan_driver_test.sh orbellan_avi_driver ${ORB_WINDOWS_TEST_DIR}/bin
          ${CMAKE_BINARY_DIR}/wine-tests/orbellan-avi ${ORB_ORBELLAN_ARTEFACTS})
set_tests_properties(win32.orbellan.avi PROPERTIES TIMEOUT 600 RUN_SERIAL ON)
