# The programs, their manual pages (cmake/manual-pages.cmake) and the license; nothing
# of the tests.
include(GNUInstallDirs)
install(TARGETS teagate greetline RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
install(FILES LICENSE DESTINATION "${CMAKE_INSTALL_DOCDIR}")
