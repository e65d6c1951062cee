# Cross build for Windows with mingw-w64 on the processor ORB_MINGW_CPU (i686 or
# x86_64), set by the file that includes this one. Posix threads: GoogleTest
# needs std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${ORB_MINGW_CPU})
set(CMAKE_C_COMPILER ${ORB_MINGW_CPU}-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORB_MINGW_CPU}-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER ${ORB_MINGW_CPU}-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ORB_MINGW_CPU}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Programs must run on a bare Windows: no libgcc/libstdc++/winpthread DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
