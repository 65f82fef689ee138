# Clang with LLVM's C++ standard library, libc++, in place of GCC's libstdc++.
# On Debian the library comes with the package libc++-dev (libc++-14-dev on Debian 12).
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_FLAGS_INIT "-stdlib=libc++")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-stdlib=libc++")
