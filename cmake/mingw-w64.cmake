# Cross-compiles for Windows with Debian's MinGW-w64 compilers. A toolchain file for one
# architecture sets MINGW_TRIPLET and includes this file.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C++ and GCC runtimes go into each .exe, so that it needs no MinGW DLL beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
