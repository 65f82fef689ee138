# add_manual_page(<page>): a program's manual page, written in mdoc beside its source,
# installed as MANUAL_PAGE_FORMAT says:
#   man   compressed as distributions ship manual pages (gzip -n, so that the file does
#         not record when it was made), into its section of the manual;
#   html  rendered by mandoc into <name>.html beside the documents, for systems that have
#         no man, such as Windows; each page links to the pages it names;
#   none  not installed.
include(GNUInstallDirs)

set(MANUAL_PAGE_FORMAT man CACHE STRING "How the manual pages are installed: man, html or none")
set_property(CACHE MANUAL_PAGE_FORMAT PROPERTY STRINGS man html none)
if(MANUAL_PAGE_FORMAT STREQUAL "man")
    find_program(GZIP_EXECUTABLE gzip REQUIRED)
elseif(MANUAL_PAGE_FORMAT STREQUAL "html")
    find_program(MANDOC_EXECUTABLE mandoc REQUIRED)
elseif(NOT MANUAL_PAGE_FORMAT STREQUAL "none")
    message(FATAL_ERROR "MANUAL_PAGE_FORMAT is '${MANUAL_PAGE_FORMAT}', not man, html or none")
endif()

function(add_manual_page page)
    set(source "${CMAKE_CURRENT_SOURCE_DIR}/${page}")
    get_filename_component(name "${page}" NAME)
    get_filename_component(program "${page}" NAME_WE)
    string(REGEX MATCH "[1-9]$" section "${name}")
    set_property(GLOBAL APPEND PROPERTY PROJECT_MANUAL_PAGES "${source}")

    if(MANUAL_PAGE_FORMAT STREQUAL "man")
        set(output "${PROJECT_BINARY_DIR}/man/man${section}/${name}.gz")
        add_custom_command(
            OUTPUT "${output}"
            COMMAND "${CMAKE_COMMAND}" -E copy "${source}" "${PROJECT_BINARY_DIR}/man/man${section}/${name}"
            COMMAND "${GZIP_EXECUTABLE}" -9 -n -f "${PROJECT_BINARY_DIR}/man/man${section}/${name}"
            DEPENDS "${source}"
            VERBATIM
        )
        install(FILES "${output}" DESTINATION "${CMAKE_INSTALL_MANDIR}/man${section}")
    elseif(MANUAL_PAGE_FORMAT STREQUAL "html")
        # The page's footer names the project, not the system it happened to be made on.
        set(output "${PROJECT_BINARY_DIR}/html/${program}.html")
        file(MAKE_DIRECTORY "${PROJECT_BINARY_DIR}/html")
        add_custom_command(
            OUTPUT "${output}"
            COMMAND "${MANDOC_EXECUTABLE}" -T html -O man=%N.html
                    -I "os=${PROJECT_NAME} ${PROJECT_VERSION}" "${source}" > "${output}"
            DEPENDS "${source}"
            VERBATIM
        )
        install(FILES "${output}" DESTINATION "${CMAKE_INSTALL_DOCDIR}")
    else()
        return()
    endif()
    add_custom_target(manual-page-${name} ALL DEPENDS "${output}")
endfunction()
