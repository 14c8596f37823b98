# GoogleTest is built from Debian's source package so the native and the MinGW build use the same one.
set(VOSK1_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${VOSK1_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
# Its own sources are not ours to keep warning-free (GCC 12 warns in gtest.cc).
target_compile_options(gtest PRIVATE -w)
include(GoogleTest)

# vosk1_add_test(NAME SOURCES... LIBS...): one test executable registered with CTest. Natively
# each case is a test of its own; under Wine, where every start of a program costs seconds, the
# executable runs once with all its cases.
function(vosk1_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main vosk1_warnings)
    vosk1_include_root(${name} tests)
    if(CMAKE_CROSSCOMPILING)
        add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    else()
        gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
            WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    endif()
endfunction()
