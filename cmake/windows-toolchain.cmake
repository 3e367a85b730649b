# The Windows build, made on Linux with mingw-w64 against the Qt for Windows in
# QT_WINDOWS (the unpacked ../shared/windows tarball; `make windows` unpacks it).
# The host's moc, rcc and uic are of the same Qt version and serve this build.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Try-compiles read this file again without the cache: pass QT_WINDOWS on.
if(NOT QT_WINDOWS)
    set(QT_WINDOWS "$ENV{WYN_QT_WINDOWS}")
endif()
set(ENV{WYN_QT_WINDOWS} "${QT_WINDOWS}")

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${QT_WINDOWS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# CTest runs the Windows tests under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
