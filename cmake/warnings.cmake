# Warnings are errors in our own code (not in third-party sources such as GoogleTest).
function(tovabel_strict_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                             -Wno-sign-conversion -Werror)
endfunction()
