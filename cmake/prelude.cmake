# A build inside the source tree would mix generated files with the sources.
if(CMAKE_SOURCE_DIR STREQUAL CMAKE_BINARY_DIR)
    message(
        FATAL_ERROR
        "Building in the source tree is not supported. Use a build folder, for example:\n"
        "  cmake --preset dev"
    )
endif()
