# Binary packages of the installed programs: cpack -G "TGZ;DEB" in a build tree.
set(CPACK_PACKAGE_NAME "${PROJECT_NAME}")
set(CPACK_PACKAGE_VENDOR "${PROJECT_NAME} maintainers")
set(CPACK_PACKAGE_CONTACT "${PROJECT_NAME} maintainers <maintainers@users.noreply.c-seed-b6c23a6a.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "teagate asks for an age and says whether tea may be bought (19 and over); greetline writes a greeting line.")
set(CPACK_GENERATOR TGZ)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# Dependencies on shared libraries are read off the programs themselves; a static
# build has none.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

include(CPack)
