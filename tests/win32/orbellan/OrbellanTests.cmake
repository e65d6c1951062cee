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

# The driver programs, each on a private X screen and Wine prefix:
# project - remembered colours and the colour picker, background and banner Browse,
#   saving under typed names, loading every field, an actor file named at start-up;
# actors - import paths, the actor list, the Modify Actor dialog, the progress box;
# avi - clip import: the preview's frame, the clip's facts, the sample positions and
#   scaled size, and the messages for clips that cannot be read;
# gifs - GIF import: the GIF file type, the preview playing an animation, the actor
#   in the list and saved, a still GIF and one of too many frames.
foreach(pair project:orbellan_project_driver actors:orbellan_actor_driver avi:orbellan_avi_driver
             gifs:orbellan_gif_driver)
  string(REPLACE ":" ";" pair ${pair})
  list(GET pair 0 case)
  list(GET pair 1 driver)
  add_test(NAME win32.orbellan.${case}
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/orbellan_driver_test.sh ${driver} ${ORB_WINDOWS_TEST_DIR}/bin
            ${CMAKE_BINARY_DIR}/wine-tests/orbellan-${case} ${ORB_ORBELLAN_ARTEFACTS})
  set_tests_properties(win32.orbellan.${case} PROPERTIES TIMEOUT 600 RUN_SERIAL ON)
endforeach()
