# The sanitizer build and the fuzz targets.
#
# VOLBY_SANITIZE: everything built with AddressSanitizer and UndefinedBehaviorSanitizer, every report fatal,
# so that a test or build step that meets one fails.
# VOLBY_FUZZ (clang only): also the libFuzzer targets of tests/fuzz, with the code under test instrumented
# for coverage; implies VOLBY_SANITIZE.
option(VOLBY_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(VOLBY_FUZZ "Build the libFuzzer targets of tests/fuzz (clang)" OFF)

if(VOLBY_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "VOLBY_FUZZ needs clang (libFuzzer): configure with CXX=clang++")
    endif()
    set(VOLBY_SANITIZE ON)
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()

if(VOLBY_SANITIZE)
    set(sanitize -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_compile_options(${sanitize})
    add_link_options(${sanitize})
    # The runtime options of every sanitized program: for the tests (volby_test), and in sanitizers.env
    # of the build folder for scripts/fuzz.sh and runs by hand. No leak is suppressed.
    set(VOLBY_SANITIZER_ENVIRONMENT "UBSAN_OPTIONS=print_stacktrace=1")
    set(lines "")
    foreach(entry ${VOLBY_SANITIZER_ENVIRONMENT})
        string(REGEX REPLACE "^([A-Z_]+)=(.*)$" "export \\1='\\2'\n" line "${entry}")
        string(APPEND lines "${line}")
    endforeach()
    file(WRITE ${CMAKE_BINARY_DIR}/sanitizers.env "${lines}")
endif()
