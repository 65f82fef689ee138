# Installs a build tree into an emptied staging prefix, then checks that exactly the
# expected files are there: the programs, and nothing of the tests.
#
#   cmake -D BUILD_DIR=<build> -D PREFIX=<staging> -D CONFIG=<config>
#         -D EXPECTED_FILES=<file>,<file>... -P check-install.cmake
file(REMOVE_RECURSE "${PREFIX}")

set(config_option)
if(CONFIG)
    set(config_option --config "${CONFIG}")
endif()
execute_process(
    COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}" ${config_option}
    RESULT_VARIABLE install_result
)
if(NOT install_result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${install_result}")
endif()

file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE "${PREFIX}" "${PREFIX}/*")
string(REPLACE "," ";" expected_paths "${EXPECTED_FILES}")
# An install folder may be "." (the one-folder layout of the Windows and WASI archives).
set(expected)
foreach(path IN LISTS expected_paths)
    cmake_path(NORMAL_PATH path)
    list(APPEND expected "${path}")
endforeach()
list(SORT installed)
list(SORT expected)
if(NOT installed STREQUAL expected)
    message(FATAL_ERROR "The staging prefix holds other files than expected:\n"
                        "  expected: ${expected}\n"
                        "  actual:   ${installed}")
endif()
message(STATUS "Installed exactly: ${installed}")
