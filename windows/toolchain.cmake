# Cross-compiling for 64-bit Windows with Debian's mingw-w64. The game uses win32 threads: the
# posix thread model would make it carry libwinpthread-1.dll. The in-process tests take the posix
# one (ZARN_WINDOWS_THREADS=posix), as GoogleTest needs std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
if(NOT ZARN_WINDOWS_THREADS)
  set(ZARN_WINDOWS_THREADS win32)
endif()
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-${ZARN_WINDOWS_THREADS})
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-${ZARN_WINDOWS_THREADS})
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
