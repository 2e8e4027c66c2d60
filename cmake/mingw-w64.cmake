# Cross-compiling the Windows programs on Linux with MinGW-w64 (64-bit,
# posix thread model):
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TAMREL_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TAMREL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAMREL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TAMREL_MINGW_PREFIX}-windres)
# windres preprocesses with the unsuffixed gcc unless told otherwise; name
# the compiler that is certain to be installed.
set(CMAKE_RC_FLAGS_INIT "--preprocessor=${TAMREL_MINGW_PREFIX}-gcc-posix --preprocessor-arg=-E --preprocessor-arg=-xc --preprocessor-arg=-DRC_INVOKED")

set(CMAKE_FIND_ROOT_PATH /usr/${TAMREL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
