# Only the two programs are installed; nothing of the tests.
include(GNUInstallDirs)
install(TARGETS teagate greetline RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
