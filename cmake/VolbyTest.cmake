# volby_test(NAME SOURCES... LIBS libs...)
# One test executable, registered with CTest, headless, in the C locale, with the source test-data
# folder and the built installation passed through the environment.
function(volby_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name})
    set(environment QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 VOLBY_TESTDATA=${CMAKE_CURRENT_SOURCE_DIR}/data
                    VOLBY_DIST=${VOLBY_DIST} ${VOLBY_SANITIZER_ENVIRONMENT})
    # The user's settings (the export's last folder) of each test apart, never the user's own.
    list(APPEND environment XDG_CONFIG_HOME=${CMAKE_CURRENT_BINARY_DIR}/${name}.config)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${environment}")
endfunction()
