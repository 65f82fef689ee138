# SANITIZERS names the sanitizers to build with, for example "address;undefined".
# The first finding ends the program with a report on stderr and a failing exit status,
# so a test sees it twice.
set(SANITIZERS "" CACHE STRING "Sanitizers to build the programs with, e.g. address;undefined")

add_library(project_sanitizers INTERFACE)
if(SANITIZERS)
    list(JOIN SANITIZERS "," sanitizer_list)
    set(sanitizer_flags -fsanitize=${sanitizer_list} -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_compile_options(project_sanitizers INTERFACE ${sanitizer_flags})
    target_link_options(project_sanitizers INTERFACE ${sanitizer_flags})
endif()
