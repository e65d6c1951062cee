include(${CMAKE_SOURCE_DIR}/tests/win32/orbellan/OrbellanTests.cmake)
include(${CMAKE_SOURCE_DIR}/tests/win32/ViewerWineTests.cmake)
include(${CMAKE_SOURCE_DIR}/tests/win32/DesktopWineTests.cmake)
