# Read by CPack before it makes each package, binary or source.

# Reproducible packages: CPack stamps every archive member with SOURCE_DATE_EPOCH when
# the environment has it; the project's default comes from cmake/packaging.cmake.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH} AND NOT CPACK_SOURCE_DATE_EPOCH STREQUAL "")
    set(ENV{SOURCE_DATE_EPOCH} "${CPACK_SOURCE_DATE_EPOCH}")
endif()

# The source package holds what git tracks: everything git does not, built or ignored or
# merely untracked, is left out, as it stands when the package is made. Outside a git
# checkout only build folders are left out.
if(CPACK_INSTALLED_DIRECTORIES)
    list(APPEND CPACK_IGNORE_FILES "/build/")
    find_package(Git QUIET)
    if(Git_FOUND AND EXISTS "${CPACK_PACKAGE_SOURCE_DIR}/.git")
        execute_process(
            COMMAND "${GIT_EXECUTABLE}" ls-files --others --directory
            WORKING_DIRECTORY "${CPACK_PACKAGE_SOURCE_DIR}"
            OUTPUT_VARIABLE untracked
            RESULT_VARIABLE git_result
            ERROR_QUIET
        )
        if(git_result EQUAL 0)
            string(REGEX REPLACE "\n$" "" untracked "${untracked}")
            string(REPLACE "\n" ";" untracked "${untracked}")
            foreach(path IN LISTS untracked)
                string(REGEX REPLACE "([][+.*?()^$|\\\\])" "\\\\\\1" path_regex "${path}")
                list(APPEND CPACK_IGNORE_FILES "^${CPACK_PACKAGE_SOURCE_DIR}/${path_regex}")
            endforeach()
        endif()
    endif()
endif()
