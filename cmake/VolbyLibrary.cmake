# volby_folder_library(NAME LIBS libs...)
# A library of every .cpp and .h of the current source folder, skipped while the folder has no .cpp.
function(volby_folder_library name)
    cmake_parse_arguments(L "" "" "LIBS" ${ARGN})
    file(GLOB cpp CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    if(NOT cpp)
        return()
    endif()
    add_library(${name} STATIC ${cpp} ${headers})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    # A folder library that does not exist yet (its folder has no code) is left out.
    foreach(lib ${L_LIBS})
        target_link_libraries(${name} PUBLIC $<TARGET_NAME_IF_EXISTS:${lib}>)
    endforeach()
endfunction()

# volby_folder_tests(LIBS libs...)
# One test of every test_*.cpp of the current folder.
function(volby_folder_tests)
    cmake_parse_arguments(T "" "" "LIBS" ${ARGN})
    file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/test_*.cpp)
    foreach(test ${tests})
        get_filename_component(name ${test} NAME_WE)
        set(libs)
        foreach(lib ${T_LIBS})
            list(APPEND libs $<TARGET_NAME_IF_EXISTS:${lib}>)
        endforeach()
        volby_test(${name} SOURCES ${test} LIBS ${libs})
    endforeach()
endfunction()

# volby_finds_archive_module(TARGET)
# A program of the installation finds the ZIP module beside itself in dist/ (so also in a copy of that
# folder), and once installed in VOLBY_MODULE_DIR. One run path for both, set at the link: CMake would
# rewrite a build run path at the install in place, padding the shorter "$ORIGIN" with empty entries, which
# the loader searches as the working directory.
function(volby_finds_archive_module target)
    file(RELATIVE_PATH module ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${VOLBY_MODULE_DIR})
    set_target_properties(${target} PROPERTIES BUILD_WITH_INSTALL_RPATH ON INSTALL_RPATH "\$ORIGIN;\$ORIGIN/${module}")
endfunction()
