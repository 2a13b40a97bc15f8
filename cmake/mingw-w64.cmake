# Cross build for Windows with MinGW-w64; programs run under Wine. The shipped program is
# 32-bit (i686). LANZHOU_WINDOWS_ARCH=x86_64 builds the same sources 64-bit, for machines
# whose kernel runs no 32-bit programs, where only Wine's 64-bit side runs (tools/wine-env.sh).
set(CMAKE_SYSTEM_NAME Windows)
if(NOT LANZHOU_WINDOWS_ARCH)
  set(LANZHOU_WINDOWS_ARCH i686)
endif()
if(NOT LANZHOU_WINDOWS_ARCH MATCHES "^(i686|x86_64)$")
  message(FATAL_ERROR "LANZHOU_WINDOWS_ARCH is i686 or x86_64, not ${LANZHOU_WINDOWS_ARCH}")
endif()
set(LANZHOU_WINDOWS_ARCH ${LANZHOU_WINDOWS_ARCH} CACHE STRING "i686 (shipped) or x86_64")
set(CMAKE_SYSTEM_PROCESSOR ${LANZHOU_WINDOWS_ARCH})
set(triplet ${LANZHOU_WINDOWS_ARCH}-w64-mingw32)

# The posix thread model: GoogleTest needs std::mutex.
set(CMAKE_C_COMPILER ${triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${triplet}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# ctest starts the Windows test executables through Wine in the build's own prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tests/harness/wine-run.sh)
