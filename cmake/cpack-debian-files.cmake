# Run by CPack once the files of a package are staged: for the .deb only, lays the files
# Debian asks for beside the programs. The copyright file holds the license, so the
# plain LICENSE stays out of the .deb. The programs also lose the compilers' version
# notes (.comment), as Debian's own packaging strips them.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
    return()
endif()

set(root "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
set(doc "${root}/${CPACK_DEBIAN_DOC_DIR}")
file(REMOVE "${doc}/LICENSE")
file(COPY "${CPACK_DEBIAN_FILES_DIR}/copyright" DESTINATION "${doc}")
file(COPY "${CPACK_DEBIAN_FILES_DIR}/changelog" DESTINATION "${doc}")
execute_process(COMMAND gzip -9 -n -f "${doc}/changelog" COMMAND_ERROR_IS_FATAL ANY)
file(MAKE_DIRECTORY "${root}/share/lintian/overrides")
file(COPY_FILE "${CPACK_DEBIAN_FILES_DIR}/lintian-overrides"
     "${root}/share/lintian/overrides/${CPACK_PACKAGE_NAME}")

file(GLOB programs "${root}/bin/*")
foreach(program IN LISTS programs)
    execute_process(COMMAND "${CPACK_DEBIAN_STRIP}" --remove-section=.comment "${program}" COMMAND_ERROR_IS_FATAL ANY)
endforeach()
