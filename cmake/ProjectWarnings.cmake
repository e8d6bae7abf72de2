# Our own code builds with these warnings; third-party headers come in as system includes.
# R605_WERROR makes them errors (scripts/test and CI switch it on): users and packagers build with
# whatever compiler they have, whose new warnings must not stop their build.
option(R605_WERROR "Treat compiler warnings in our own code as errors" OFF)
function(r605_set_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(R605_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
