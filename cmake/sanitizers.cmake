# Native builds can run under AddressSanitizer and UndefinedBehaviorSanitizer. Undefined
# behaviour aborts the program (no recovery), so it fails the test that hit it. Applies to
# everything added after this file, GoogleTest included.
option(TOVABEL_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

if(TOVABEL_SANITIZE)
    if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
        message(FATAL_ERROR "TOVABEL_SANITIZE is for the native build only")
    endif()
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()
