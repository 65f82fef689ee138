# add_console_program(<name> <source>): one program from one source file, built as
# standard C++17 with the project's warnings, hardening, sanitizers and linkage, into bin/.
function(add_console_program name source)
    add_executable(${name} ${source})
    target_compile_features(${name} PRIVATE cxx_std_17)
    target_link_libraries(${name} PRIVATE project_warnings project_hardening project_sanitizers project_linkage)
    set_target_properties(
        ${name}
        PROPERTIES
        CXX_EXTENSIONS OFF
        RUNTIME_OUTPUT_DIRECTORY "${PROJECT_BINARY_DIR}/bin"
    )
endfunction()
