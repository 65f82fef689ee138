# Packages of the installed programs, made by CPack in a build tree: the package presets
# choose the generators (TGZ, DEB and RPM for Linux, ZIP for Windows). Every package file is
# named after the system and processor it is for, and gets a SHA256 checksum file
# beside it.
set(PACKAGE_CONTACT "teagate-greetline packager <packager@example.org>"
    CACHE STRING "Name and e-mail address of whoever makes the packages: the Maintainer of the .deb")

set(CPACK_PACKAGE_NAME "${PROJECT_NAME}")
set(CPACK_PACKAGE_VENDOR "the teagate-greetline authors")
set(CPACK_PACKAGE_CONTACT "${PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
if(NOT CPACK_SYSTEM_NAME)
    string(TOLOWER "${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR}" CPACK_SYSTEM_NAME)
endif()
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
set(package_description "teagate asks for an age and says whether tea may be bought: 19 and over may,
younger may not. greetline writes a greeting line. Both are small console
programs that read at most one number, write only to standard output and
always exit with status 0.")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "${package_description}")
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
# The changelogs of the .deb and the .rpm are both made from CHANGELOG.md.
find_package(Python3 3.8 REQUIRED COMPONENTS Interpreter)
function(write_package_changelog format output)
    get_filename_component(folder "${output}" DIRECTORY)
    file(MAKE_DIRECTORY "${folder}")
    execute_process(
        COMMAND "${Python3_EXECUTABLE}" "${PROJECT_SOURCE_DIR}/packaging/changelog.py"
            "${PROJECT_SOURCE_DIR}/CHANGELOG.md" ${format} ${ARGN}
        OUTPUT_FILE "${output}"
        COMMAND_ERROR_IS_FATAL ANY
    )
endfunction()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             "${PROJECT_SOURCE_DIR}/CHANGELOG.md" "${PROJECT_SOURCE_DIR}/packaging/changelog.py")
write_package_changelog(debian "${debian_files}/changelog" --package "${PROJECT_NAME}" --maintainer "${PACKAGE_CONTACT}")
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

# The .rpm, named with RPM's own architecture names, which are the processor's (as
# `uname -m` prints it) except where a preset names another.
set(CPACK_RPM_FILE_NAME RPM-DEFAULT)
if(NOT CPACK_RPM_PACKAGE_ARCHITECTURE)
    set(CPACK_RPM_PACKAGE_ARCHITECTURE "${CMAKE_SYSTEM_PROCESSOR}")
endif()
set(CPACK_RPM_PACKAGE_LICENSE MIT)
set(CPACK_RPM_PACKAGE_GROUP "Applications/System")
set(CPACK_RPM_PACKAGE_DESCRIPTION "${package_description}")
# Installed in /usr, as a distribution's own packages are, not relocatable elsewhere.
set(CPACK_PACKAGE_RELOCATABLE OFF)
# rpm reads dependencies off the programs; a static PIE has a dynamic section with a
# GNU hash table, which rpm takes for a need of the dynamic loader (rtld(GNU_HASH))
# that the program does not have.
if(LINK_STATIC)
    set(CPACK_RPM_PACKAGE_AUTOREQ OFF)
endif()
set(rpm_release 1)
set(CPACK_RPM_PACKAGE_RELEASE ${rpm_release})
write_package_changelog(rpm "${PROJECT_BINARY_DIR}/packaging/rpm/changelog"
                        --maintainer "${PACKAGE_CONTACT}" --release ${rpm_release})
set(CPACK_RPM_CHANGELOG_FILE "${PROJECT_BINARY_DIR}/packaging/rpm/changelog")
# The manual's folders belong to the system, like the others CPack leaves out.
set(CPACK_RPM_EXCLUDE_FROM_AUTO_FILELIST_ADDITION /usr/share/man /usr/share/man/man1)
# The .rpm installs under /usr, CPack's default for it.
set(CPACK_RPM_USER_FILELIST
    "%license /usr/${CMAKE_INSTALL_DOCDIR}/LICENSE"
    "%doc /usr/${CMAKE_INSTALL_DOCDIR}/README.md"
    "%doc /usr/${CMAKE_INSTALL_DOCDIR}/CHANGELOG.md"
)
# Reproducible too: the build time and every file's time from SOURCE_DATE_EPOCH, a fixed
# build host, and no /usr/lib/.build-id links, which would only repeat the programs.
set(CPACK_RPM_SPEC_MORE_DEFINE "%define use_source_date_epoch_as_buildtime 1
%define clamp_mtime_to_source_date_epoch 1
%define _buildhost reproducible
%define packager ${PACKAGE_CONTACT}
%define _build_id_links none")

include(CPack)
