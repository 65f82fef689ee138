# The programs, their manual pages (cmake/manual-pages.cmake), the license, the readme
# and the changelog; nothing of the tests.
include(GNUInstallDirs)
install(TARGETS teagate greetline RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
install(FILES LICENSE README.md CHANGELOG.md DESTINATION "${CMAKE_INSTALL_DOCDIR}")
