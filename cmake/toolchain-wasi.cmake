# WebAssembly modules for WASI (wasm32-wasi), from Debian's clang-14, lld-14, wasi-libc and
# LLVM's C++ library for wasm32 (libc++-14-dev-wasm32, libc++abi-14-dev-wasm32,
# libclang-rt-14-dev-wasm32). Clang finds the WASI headers and libraries by itself;
# pointing --sysroot at them breaks that. The tests run each module under Node.js's own
# WASI, through tests/wasi-run.mjs.
#
# CMake 3.25 knows no WASI system: a module is a program of a system without an
# operating system of its own, whose file name ends in .wasm.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
set(CMAKE_EXECUTABLE_SUFFIX_CXX .wasm)

# On each link clang runs binaryen's wasm-opt at the link's optimisation level: -Oz, for
# the smallest module; --strip-all drops the names, which only a debugger reads. A module
# has no load address to randomise, so clang ignores the -pie of the position-independent
# link, and would say so at every link.
find_program(WASM_OPT wasm-opt REQUIRED)
find_program(CMAKE_STRIP wasm-strip REQUIRED)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-Oz -Wl,--strip-all -Wno-unused-command-line-argument")

find_program(NODE_EXECUTABLE node REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR "${NODE_EXECUTABLE}" --no-warnings "${CMAKE_CURRENT_LIST_DIR}/../tests/wasi-run.mjs")
