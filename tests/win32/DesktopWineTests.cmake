# Under Wine: the programs' manifests, Orbellan.exe's main dialog at 100%, 150%
# and 200% scaling, and Viewer.scr on a two-head X server (included from
# WineTests.cmake).
set(orb_manifest_programs ${ORB_WINDOWS_TEST_DIR}/bin/Viewer.scr ${ORB_WINDOWS_TEST_DIR}/bin/Orbellan.exe)
if(NOT ORB_WINDOWS_TEST_DIR STREQUAL ORB_WIN32_DIR)
  # The 32-bit deliverables too: read as data, they need not run here.
  list(APPEND orb_manifest_programs ${ORB_WIN32_DIR}/bin/Viewer.scr ${ORB_WIN32_DIR}/bin/Orbellan.exe)
endif()
add_test(NAME win32.manifests
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-run ${ORB_WINEPREFIX} ${ORB_WINDOWS_TEST_DIR}/bin/manifest_check.exe
          ${orb_manifest_programs})
set_tests_properties(win32.manifests PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 120)

foreach(dpi 96 144 192)
  add_test(NAME win32.orbellan.dpi${dpi}
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/dpi_test.sh ${dpi} ${ORB_WINDOWS_TEST_DIR}/bin
            ${CMAKE_BINARY_DIR}/wine-tests/dpi${dpi} ${CMAKE_BINARY_DIR}/artefacts/dpi)
  set_tests_properties(win32.orbellan.dpi${dpi} PROPERTIES TIMEOUT 300)
endforeach()
