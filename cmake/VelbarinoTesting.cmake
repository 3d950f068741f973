# velbarino_add_gtest(<name> SOURCES <files...> LIBS <targets...>)
# A GoogleTest executable whose cases CTest lists one by one. Tests link the
# libraries under test; they never compile those sources again.
if(BUILD_TESTING)
    find_package(GTest QUIET)
    if(NOT GTest_FOUND AND EXISTS /usr/src/googletest/CMakeLists.txt)
        # No GoogleTest built for the target (the Windows cross-build): build it
        # from Debian's sources, like any other library of ours.
        set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
        set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
        add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    elseif(NOT GTest_FOUND)
        message(FATAL_ERROR "GoogleTest not found: install libgtest-dev (or googletest for its sources)")
    endif()
    include(GoogleTest)
endif()

function(velbarino_add_gtest name)
    if(NOT BUILD_TESTING)
        return()
    endif()
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
    velbarino_target_options(${name})
    if(CMAKE_CROSSCOMPILING)
        # One CTest entry per executable: listing the cases would start Wine at build time.
        add_test(NAME ${name} COMMAND ${name})
        set_tests_properties(${name} PROPERTIES TIMEOUT 180)
    else()
        gtest_discover_tests(${name} DISCOVERY_TIMEOUT 30)
    endif()
endfunction()

# velbarino_add_fuzzer(<name> SOURCES <files...> LIBS <targets...> CORPUS <seed folder>)
# A libFuzzer target; CTest runs it briefly from the checked-in seeds
# (VELBARINO_FUZZ_SECONDS, default 10), keeping what it finds in the build tree.
set(VELBARINO_FUZZ_SECONDS 10 CACHE STRING "Seconds each fuzz target runs under CTest")
function(velbarino_add_fuzzer name)
    if(NOT VELBARINO_FUZZ)
        return()
    endif()
    cmake_parse_arguments(ARG "" "CORPUS" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    velbarino_target_options(${name})
    set(work ${CMAKE_CURRENT_BINARY_DIR}/${name}-corpus)
    file(MAKE_DIRECTORY ${work})
    add_test(NAME ${name}
             COMMAND ${name} -max_total_time=${VELBARINO_FUZZ_SECONDS} -timeout=10 -rss_limit_mb=2048
                     -print_final_stats=1 ${work} ${ARG_CORPUS})
    set_tests_properties(${name} PROPERTIES TIMEOUT 600 LABELS fuzz)
endfunction()
