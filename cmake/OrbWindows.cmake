# Cross-builds the tree for Windows with mingw-w64 and registers the Wine tests.
# The 32-bit programs are the deliverables and are always built, into
# <build>/win32. The tests run on whichever build this machine's Wine can run,
# probed once by scripts/wine-probe: the 32-bit one, else a 64-bit build of the
# same sources in <build>/win64, else none (the tests are then listed as not run).
include(ExternalProject)

set(ORB_WINE_BUILD auto CACHE STRING "Windows build the Wine tests run on: auto, win32, win64 or none")
set_property(CACHE ORB_WINE_BUILD PROPERTY STRINGS auto win32 win64 none)
option(ORB_WIN64 "Also build the 64-bit Windows programs when the tests do not need them" OFF)
if(ORB_WINE_BUILD STREQUAL auto)
  message(STATUS "Probing which Windows build Wine can run here")
  execute_process(COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-probe
                  OUTPUT_VARIABLE probe OUTPUT_STRIP_TRAILING_WHITESPACE)
  string(REPLACE "\n" ";" probe "${probe}")
  list(GET probe 0 probed_build)
  list(GET probe 1 probed_reason)
  set(ORB_WINE_BUILD ${probed_build} CACHE STRING "Windows build the Wine tests run on: auto, win32, win64 or none" FORCE)
  set(ORB_WINE_PROBED ${probed_build} CACHE INTERNAL "")
  set(ORB_WINE_PROBED_REASON "${probed_reason}" CACHE INTERNAL "")
endif()
if(ORB_WINE_BUILD STREQUAL "${ORB_WINE_PROBED}")
  set(ORB_WINE_REASON "${ORB_WINE_PROBED_REASON}")
else()
  set(ORB_WINE_REASON "ORB_WINE_BUILD was set to ${ORB_WINE_BUILD}")
endif()
if(NOT ORB_WINE_BUILD MATCHES "^(win32|win64|none)$")
  message(FATAL_ERROR "ORB_WINE_BUILD is '${ORB_WINE_BUILD}'; it must be auto, win32, win64 or none")
endif()
# scripts/test prints this, so a run says what it tested.
file(WRITE ${CMAKE_BINARY_DIR}/wine-build.txt "${ORB_WINE_BUILD}\n${ORB_WINE_REASON}\n")
message(STATUS "Wine tests: ${ORB_WINE_BUILD}: ${ORB_WINE_REASON}")

# ARCH is i686 or x86_64; with ONLY, just those targets are built.
function(orb_windows_build name arch)
  cmake_parse_arguments(W "" "" "ONLY" ${ARGN})
  set(build_command "")
  if(W_ONLY)
    set(build_command BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target ${W_ONLY})
  endif()
  ExternalProject_Add(${name}
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${CMAKE_BINARY_DIR}/${name}
    CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-${arch}.cmake
               -DCMAKE_BUILD_TYPE=Release
               -DORB_PACKAGE_DEMO=${ORB_DEMO_PROJECT}
    ${build_command}
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    USES_TERMINAL_BUILD ON)
endfunction()

set(ORB_WIN32_DIR ${CMAKE_BINARY_DIR}/win32)
set(ORB_WIN64_DIR ${CMAKE_BINARY_DIR}/win64)
if(ORB_WINE_BUILD STREQUAL win32)
  orb_windows_build(win32 i686)
else()
  # Nothing runs the 32-bit test programs here: build the deliverables alone.
  orb_windows_build(win32 i686 ONLY Viewer Orbellan)
endif()
if(ORB_WINE_BUILD STREQUAL win64 OR ORB_WIN64)
  orb_windows_build(win64 x86_64)
endif()
if(ORB_WINE_BUILD STREQUAL win64)
  set(ORB_WINDOWS_TEST_DIR ${ORB_WIN64_DIR})
else()
  set(ORB_WINDOWS_TEST_DIR ${ORB_WIN32_DIR})
endif()

set(ORB_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
add_test(NAME win32.prefix
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-prefix ${ORB_WINEPREFIX})
set_tests_properties(win32.prefix PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)

get_property(portable GLOBAL PROPERTY ORB_PORTABLE_TESTS)
foreach(name IN LISTS portable)
  add_test(NAME win32.${name}
    COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-run ${ORB_WINEPREFIX} ${ORB_WINDOWS_TEST_DIR}/bin/${name}.exe)
  set_tests_properties(win32.${name} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 900)
endforeach()

# Real runs of the Windows programs under Wine and Xvfb.
include(${CMAKE_SOURCE_DIR}/tests/win32/WineTests.cmake)

# Every Wine test runs the chosen build; without one they are listed as not run.
get_property(all_tests DIRECTORY PROPERTY TESTS)
foreach(test IN LISTS all_tests)
  if(test MATCHES "^win32\\.")
    if(ORB_WINE_BUILD STREQUAL none)
      set_tests_properties(${test} PROPERTIES DISABLED TRUE)
    else()
      set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT ORB_WINE_ARCH=${ORB_WINE_BUILD})
    endif()
  endif()
endforeach()
