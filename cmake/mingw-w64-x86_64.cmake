# Cross-building the Windows program with Debian's MinGW-w64 (the POSIX thread model, which
# std::thread and std::mutex need).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(FONDEX_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${FONDEX_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${FONDEX_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${FONDEX_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${FONDEX_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Test programs run under Wine; the caller provides its prefix, display and server.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
