# Cross build for 64-bit Windows on Debian: the mingw-w64 compilers with
# posix threads (g++-mingw-w64-x86-64-posix), a Qt built for Windows, and
# the same version of Qt for Linux for the build-time tools (moc, rcc).
# scripts/windows.sh passes both:
#   -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
#   -DDALVIMO_WINDOWS_QT=<the Qt for Windows, e.g. .cache/windows/qt6-mingw64>
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(DALVIMO_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER /usr/bin/${DALVIMO_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER /usr/bin/${DALVIMO_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER /usr/bin/${DALVIMO_MINGW}-windres)

# The compiler's own libraries, and the Qt for Windows, which lies outside
# them: without it on the find-root path CMake would not look there at all.
if(NOT DALVIMO_WINDOWS_QT AND DEFINED ENV{DALVIMO_WINDOWS_QT})
    set(DALVIMO_WINDOWS_QT $ENV{DALVIMO_WINDOWS_QT})
endif()
set(CMAKE_FIND_ROOT_PATH /usr/${DALVIMO_MINGW} ${DALVIMO_WINDOWS_QT})
set(CMAKE_PREFIX_PATH ${DALVIMO_WINDOWS_QT})
set(CMAKE_TRY_COMPILE_PLATFORM_VARIABLES DALVIMO_WINDOWS_QT)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# moc, rcc and uic of the Linux Qt (qt6-base-dev-tools).
set(QT_HOST_PATH /usr CACHE PATH "Qt for the build machine")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "CMake packages of the host Qt")

