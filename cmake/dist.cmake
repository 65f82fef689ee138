# Makes the whole release: runs the workflow of each platform afresh (configure, build,
# every test, packages), then gathers every package with its checksum file, and the
# source package, into build/dist/, with one SHA256SUMS listing every file there. Where
# the environment names a GPG key in RELEASE_SIGNING_KEY, SHA256SUMS.asc is its
# detached, ASCII-armoured signature of that list.
#
#   cmake -P cmake/dist.cmake                                     every platform
#   cmake -D PLATFORMS="release;windows-x64" -P cmake/dist.cmake  only these
cmake_minimum_required(VERSION 3.25)
get_filename_component(root "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
set(dist "${root}/build/dist")

# Each platform is a workflow preset that packages. Beside CMake, Ninja, Python and the
# tools of every build, each needs these commands (or files, by their path), named with
# the Debian package that has each.
set(linux_needs rpmbuild:rpm)
set(windows_needs mandoc:mandoc)
set(needs_release g++:g++ ${linux_needs})
set(needs_linux-arm64 aarch64-linux-gnu-g++:g++-aarch64-linux-gnu qemu-aarch64-static:qemu-user-static ${linux_needs})
set(needs_linux-armhf arm-linux-gnueabihf-g++:g++-arm-linux-gnueabihf qemu-arm-static:qemu-user-static ${linux_needs})
set(needs_linux-i386 i686-linux-gnu-g++:g++-i686-linux-gnu qemu-i386-static:qemu-user-static ${linux_needs})
set(needs_linux-riscv64 riscv64-linux-gnu-g++:g++-riscv64-linux-gnu qemu-riscv64-static:qemu-user-static ${linux_needs})
set(needs_linux-ppc64el powerpc64le-linux-gnu-g++:g++-powerpc64le-linux-gnu qemu-ppc64le-static:qemu-user-static ${linux_needs})
set(needs_linux-s390x s390x-linux-gnu-g++:g++-s390x-linux-gnu qemu-s390x-static:qemu-user-static ${linux_needs})
set(needs_windows-x64 x86_64-w64-mingw32-g++:g++-mingw-w64-x86-64 wine:wine ${windows_needs})
set(needs_windows-x86 i686-w64-mingw32-g++:g++-mingw-w64-i686 wine:wine ${windows_needs})
set(needs_wasi clang++-14:clang-14 wasm-ld-14:lld-14 /usr/lib/wasm32-wasi/libc.a:wasi-libc
    /usr/lib/wasm32-wasi/libc++.a:libc++-14-dev-wasm32 /usr/lib/wasm32-wasi/libc++abi.a:libc++abi-14-dev-wasm32
    /usr/lib/llvm-14/lib/clang/*/lib/wasi/libclang_rt.builtins-wasm32.a:libclang-rt-14-dev-wasm32
    wasm-opt:binaryen wasm-strip:wabt node:nodejs npm:npm chromium:chromium mandoc:mandoc)
set(all_platforms release linux-arm64 linux-armhf linux-i386 linux-riscv64 linux-ppc64el linux-s390x
    windows-x64 windows-x86 wasi)
set(package_patterns *.tar.gz *.deb *.rpm *.zip)

if(NOT DEFINED PLATFORMS)
    set(PLATFORMS ${all_platforms})
endif()
set(needs ninja:ninja-build python3:python3)
if(DEFINED ENV{RELEASE_SIGNING_KEY})
    list(APPEND needs gpg:gnupg)
endif()
foreach(platform IN LISTS PLATFORMS)
    if(NOT platform IN_LIST all_platforms)
        list(JOIN all_platforms ", " known)
        message(FATAL_ERROR "No platform '${platform}' in the release; there are: ${known}")
    endif()
    list(APPEND needs ${needs_${platform}})
endforeach()

# Every missing tool is named before anything is built.
list(REMOVE_DUPLICATES needs)
set(missing_packages)
foreach(need IN LISTS needs)
    string(REPLACE ":" ";" need "${need}")
    list(GET need 0 command)
    list(GET need 1 package)
    if(IS_ABSOLUTE "${command}")
        file(GLOB found_${command} "${command}")
    else()
        find_program(found_${command} ${command} NO_CACHE)
    endif()
    if(NOT found_${command})
        list(APPEND missing_packages ${package})
    endif()
endforeach()
if(missing_packages)
    list(REMOVE_DUPLICATES missing_packages)
    list(JOIN missing_packages " " missing_packages)
    message(FATAL_ERROR "The platforms asked for need tools this machine lacks. On Debian or Ubuntu:\n"
                        "  sudo apt-get install ${missing_packages}\n"
                        "or choose fewer platforms with -D PLATFORMS=...")
endif()

set(packages)
foreach(platform IN LISTS PLATFORMS)
    message(STATUS "Release of ${platform}: cmake --workflow --preset ${platform} --fresh")
    execute_process(
        COMMAND "${CMAKE_COMMAND}" --workflow --preset ${platform} --fresh
        WORKING_DIRECTORY "${root}"
        COMMAND_ERROR_IS_FATAL ANY
    )
    list(TRANSFORM package_patterns PREPEND "${root}/build/${platform}/" OUTPUT_VARIABLE patterns)
    file(GLOB built ${patterns})
    list(APPEND packages ${built})
endforeach()

file(REMOVE_RECURSE "${dist}")
file(MAKE_DIRECTORY "${dist}")
foreach(package IN LISTS packages)
    file(COPY "${package}" "${package}.sha256" DESTINATION "${dist}")
endforeach()

# One list in the format of sha256sum, which checks it: sha256sum --check SHA256SUMS
file(GLOB names RELATIVE "${dist}" "${dist}/*")
list(SORT names)
set(sums "")
foreach(name IN LISTS names)
    file(SHA256 "${dist}/${name}" sum)
    string(APPEND sums "${sum}  ${name}\n")
endforeach()
file(WRITE "${dist}/SHA256SUMS" "${sums}")

if(DEFINED ENV{RELEASE_SIGNING_KEY})
    execute_process(
        COMMAND gpg --batch --yes --local-user "$ENV{RELEASE_SIGNING_KEY}" --armor --detach-sign
                --output "${dist}/SHA256SUMS.asc" "${dist}/SHA256SUMS"
        COMMAND_ERROR_IS_FATAL ANY
    )
    message(STATUS "SHA256SUMS.asc: signed by $ENV{RELEASE_SIGNING_KEY}")
endif()

list(LENGTH names count)
message(STATUS "The release is in ${dist}: ${count} files, listed in SHA256SUMS")
