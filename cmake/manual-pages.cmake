# add_manual_page(<page>): a program's manual page, written in mdoc beside its source.
# It is compressed as distributions ship manual pages (gzip -n, so that the file does
# not record when it was made) and installed into its section of the manual.
include(GNUInstallDirs)

option(INSTALL_MANUAL_PAGES "Install the programs' manual pages" ON)
if(INSTALL_MANUAL_PAGES)
    find_program(GZIP_EXECUTABLE gzip REQUIRED)
endif()

function(add_manual_page page)
    set(source "${CMAKE_CURRENT_SOURCE_DIR}/${page}")
    get_filename_component(name "${page}" NAME)
    string(REGEX MATCH "[1-9]$" section "${name}")
    set_property(GLOBAL APPEND PROPERTY PROJECT_MANUAL_PAGES "${source}")
    if(NOT INSTALL_MANUAL_PAGES)
        return()
    endif()

    set(folder "${PROJECT_BINARY_DIR}/man/man${section}")
    add_custom_command(
        OUTPUT "${folder}/${name}.gz"
        COMMAND "${CMAKE_COMMAND}" -E copy "${source}" "${folder}/${name}"
        COMMAND "${GZIP_EXECUTABLE}" -9 -n -f "${folder}/${name}"
        DEPENDS "${source}"
        VERBATIM
    )
    add_custom_target(manual-page-${name} ALL DEPENDS "${folder}/${name}.gz")
    install(FILES "${folder}/${name}.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man${section}")
endfunction()
