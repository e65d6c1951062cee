# Cross-builds the whole tree for 32-bit Windows into <build>/win32 and registers
# every portable test program to run there under Wine in a fresh prefix.
include(ExternalProject)
set(ORB_WIN32_DIR ${CMAKE_BINARY_DIR}/win32)
ExternalProject_Add(win32
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${ORB_WIN32_DIR}
  CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-i686.cmake
             -DCMAKE_BUILD_TYPE=Release
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  USES_TERMINAL_BUILD ON)

set(ORB_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
add_test(NAME win32.prefix
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-prefix ${ORB_WINEPREFIX})
set_tests_properties(win32.prefix PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)

get_property(portable GLOBAL PROPERTY ORB_PORTABLE_TESTS)
foreach(name IN LISTS portable)
  add_test(NAME win32.${name}
    COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-run ${ORB_WINEPREFIX} ${ORB_WIN32_DIR}/bin/${name}.exe)
  set_tests_properties(win32.${name} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 900)
endforeach()

# Real runs of the Windows programs under Wine and Xvfb.
include(${CMAKE_SOURCE_DIR}/tests/win32/WineTests.cmake)
