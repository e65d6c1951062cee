# Real runs of Viewer.scr under Wine and Xvfb (included from WineTests.cmake in
# the native build). Each case makes its own X screen and Wine prefix.
set(orb_viewer_demo ${CMAKE_BINARY_DIR}/samples/demo.apj)
add_executable(project_variant ${CMAKE_CURRENT_LIST_DIR}/project_variant.cpp)
target_link_libraries(project_variant PRIVATE orb_formats orb_io)
add_test(NAME win32.viewer_win32_tests
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-run ${ORB_WINEPREFIX} ${ORB_WINDOWS_TEST_DIR}/bin/viewer_win32_tests.exe)
set_tests_properties(win32.viewer_win32_tests PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 300)
foreach(case options errors ddraw-backend exit-codes preview show-gdi show-ddraw show-wide options-monitors
        dual-span dual-mirror dual-primary sound-space)
  add_test(NAME win32.viewer_${case}
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/viewer_wine_test.sh ${case} ${ORB_WINDOWS_TEST_DIR}/bin ${orb_viewer_demo}
            ${CMAKE_BINARY_DIR}/wine-tests/${case})
  set_tests_properties(win32.viewer_${case} PROPERTIES TIMEOUT 300 SKIP_RETURN_CODE 77
    ENVIRONMENT ORB_PROJECT_VARIANT=$<TARGET_FILE:project_variant>)
endforeach()
