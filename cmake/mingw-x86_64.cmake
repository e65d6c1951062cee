# Cross build for 64-bit Windows with mingw-w64.
set(ORB_MINGW_CPU x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
