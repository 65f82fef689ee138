# 32-bit Windows console programs (PE32), from Debian's g++-mingw-w64-i686, run by the
# tests under 32-bit Wine (Debian's wine32:i386).
set(MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR X86)
include("${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake")
set(CMAKE_CROSSCOMPILING_EMULATOR wine)

# Wine runs the programs' own machine code on the processor, so they run only where the
# kernel runs 32-bit x86 code; elsewhere the tests that run them are skipped.
set(TESTS_NEED_KERNEL_TO_RUN i386)
