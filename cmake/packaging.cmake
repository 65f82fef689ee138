# Packages of the installed programs, made by CPack in a build tree: the package presets
# choose the generators (TGZ and DEB for Linux, ZIP for Windows). Every package file is
# named after the system and processor it is for, and gets a SHA256 checksum file
# beside it.
set(PACKAGE_CONTACT "teagate-greetline packager <packager@example.org>"
    CACHE STRING "Name and e-mail address of whoever makes the packages: the Maintainer of the .deb")

set(CPACK_PACKAGE_NAME "${PROJECT_NAME}")
set(CPACK_PACKAGE_VENDOR "the teagate-greetline authors")
set(CPACK_PACKAGE_CONTACT "${PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
string(TOLOWER "${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR}" CPACK_SYSTEM_NAME)
set(CPACK_GENERATOR TGZ)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CHECKSUM SHA256)

# Reproducible packages: every time recorded in them is SOURCE_DATE_EPOCH, taken from the
# last commit when the caller does not set it (cmake/cpack-project-config.cmake applies it).
set(CPACK_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
if(CPACK_SOURCE_DATE_EPOCH STREQUAL "" AND EXISTS "${PROJECT_SOURCE_DIR}/.git")
    find_package(Git QUIET)
    if(Git_FOUND)
        execute_process(
            COMMAND "${GIT_EXECUTABLE}" log -1 --format=%ct
            WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
            OUTPUT_VARIABLE CPACK_SOURCE_DATE_EPOCH
            OUTPUT_STRIP_TRAILING_WHITESPACE
            ERROR_QUIET
        )
    endif()
endif()
set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_SOURCE_DIR}/cmake/cpack-project-config.cmake")

# The source package, teagate-greetline-<version>.tar.gz: cpack --config CPackSourceConfig.cmake
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_PACKAGE_FILE_NAME "${PROJECT_NAME}-${PROJECT_VERSION}")
set(CPACK_PACKAGE_SOURCE_DIR "${PROJECT_SOURCE_DIR}")

# The .deb. The summary is its synopsis; the lines of description stay within 80 columns.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "teagate asks for an age and says whether tea may be bought: 19 and over may,
younger may not. greetline writes a greeting line. Both are small console
programs that read at most one number, write only to standard output and
always exit with status 0.")
# Dependencies on shared libraries are read off the programs themselves; a static
# build has none.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What Debian wants beside the programs: a machine-readable copyright file with the
# license, the changelog, and lintian's overrides, each with its reason.
set(debian_files "${PROJECT_BINARY_DIR}/packaging/debian")
# In the copyright file the license text is indented by one blank, and an empty line is
# written as a lone full stop.
file(READ "${PROJECT_SOURCE_DIR}/LICENSE" license_text)
string(STRIP "${license_text}" license_text)
string(REPLACE "\n" ";" license_lines "${license_text}")
set(DEBIAN_LICENSE_TEXT "")
foreach(line IN LISTS license_lines)
    if(line STREQUAL "")
        set(line ".")
    endif()
    string(APPEND DEBIAN_LICENSE_TEXT " ${line}\n")
endforeach()
string(REGEX REPLACE "\n$" "" DEBIAN_LICENSE_TEXT "${DEBIAN_LICENSE_TEXT}")
configure_file("${PROJECT_SOURCE_DIR}/packaging/debian/copyright.in" "${debian_files}/copyright" @ONLY)
configure_file("${PROJECT_SOURCE_DIR}/packaging/debian/changelog.in" "${debian_files}/changelog" @ONLY)
# What lintian says of a static program, by its linkage (see the overrides file).
set(lintian_static_tag_static-pie shared-library-lacks-prerequisites)
set(lintian_static_tag_static statically-linked-binary)
set(LINTIAN_STATIC_OVERRIDES "")
if(DEFINED lintian_static_tag_${PROGRAM_LINKAGE})
    foreach(program IN ITEMS teagate greetline)
        string(APPEND LINTIAN_STATIC_OVERRIDES
               "${PROJECT_NAME}: ${lintian_static_tag_${PROGRAM_LINKAGE}} [usr/${CMAKE_INSTALL_BINDIR}/${program}]\n")
    endforeach()
endif()
configure_file("${PROJECT_SOURCE_DIR}/packaging/debian/lintian-overrides.in" "${debian_files}/lintian-overrides" @ONLY)
set(CPACK_DEBIAN_FILES_DIR "${debian_files}")
set(CPACK_DEBIAN_DOC_DIR "${CMAKE_INSTALL_DOCDIR}")
set(CPACK_DEBIAN_STRIP "${CMAKE_STRIP}")
set(CPACK_PRE_BUILD_SCRIPTS "${PROJECT_SOURCE_DIR}/cmake/cpack-debian-files.cmake")

include(CPack)
