# Both programs read whatever a stranger types or pipes in, so they are built the way a
# distribution builds such programs: the options of the OpenSSF "Compiler Options
# Hardening Guide for C and C++" that GCC and Clang support. Each option is probed, and
# one the toolchain does not know is left out, so one list serves every target: the ELF
# linker options fail the probe on Windows, the PE ones on Linux.
include(CheckCXXSourceCompiles)
include(CheckLinkerFlag)
include(CheckPIESupported)

add_library(project_hardening INTERFACE)

# Address space layout randomisation on ELF targets; Windows programs get it from
# --dynamicbase below.
check_pie_supported(LANGUAGES CXX)
set_property(TARGET project_hardening PROPERTY INTERFACE_POSITION_INDEPENDENT_CODE ON)

set(hardening_compile_options
    -fstack-protector-strong
    -fstack-clash-protection
    -fcf-protection=full
)
set(hardening_link_options
    # ELF: relocated data read-only after start-up, every symbol bound at start-up,
    # no executable stack.
    -Wl,-z,relro
    -Wl,-z,now
    -Wl,-z,noexecstack
    # PE: the same protections as the image's flags: ASLR, with high entropy on 64-bit
    # Windows, and data execution prevention.
    -Wl,--dynamicbase
    -Wl,--high-entropy-va
    -Wl,--nxcompat
)

set(rejected_options)
include(CMakePushCheckState)
foreach(option IN LISTS hardening_compile_options)
    string(MAKE_C_IDENTIFIER "HAVE_COMPILER${option}" have_option)
    # The probe has a buffer, so that the protections are really compiled in and linked
    # with their runtime support, which some targets lack (wasi-libc has no stack
    # protector). An option the compiler accepts but ignores for the target (clang for
    # WebAssembly with -fstack-clash-protection) only warns: that counts as rejected too.
    cmake_push_check_state(RESET)
    set(CMAKE_REQUIRED_FLAGS "-Werror ${option}")
    check_cxx_source_compiles([[
        #include <cstring>
        int main(int argc, char** argv)
        {
            char buffer[64];
            std::strncpy(buffer, argv[0], sizeof buffer - 1);
            return buffer[argc % 63];
        }
    ]] ${have_option})
    cmake_pop_check_state()
    # Also on the link, as in the probe: there the driver adds the runtime support an
    # option needs, such as MinGW's libssp for the stack protector.
    if(${have_option})
        target_compile_options(project_hardening INTERFACE "${option}")
        target_link_options(project_hardening INTERFACE "${option}")
    else()
        list(APPEND rejected_options "${option}")
    endif()
endforeach()
foreach(option IN LISTS hardening_link_options)
    string(MAKE_C_IDENTIFIER "HAVE_LINKER${option}" have_option)
    check_linker_flag(CXX "${option}" ${have_option})
    if(${have_option})
        target_link_options(project_hardening INTERFACE "${option}")
    else()
        list(APPEND rejected_options "${option}")
    endif()
endforeach()
list(JOIN rejected_options " " rejected_options)
message(STATUS "Hardening: left out, as the toolchain rejects them: ${rejected_options}")

# Bounds checks in the C++ library, in every build.
target_compile_definitions(project_hardening INTERFACE _GLIBCXX_ASSERTIONS)
# Checked variants of the C library's memory and string functions. They need the
# optimiser (glibc warns without it), and some compilers define a level of their own,
# which a redefinition would warn about.
target_compile_options(
    project_hardening
    INTERFACE
    $<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=3>
)
