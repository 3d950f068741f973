# velbarino_add_gtest(<name> SOURCES <files...> LIBS <targets...>)
# A GoogleTest executable whose cases CTest lists one by one. Tests link the
# libraries under test; they never compile those sources again.
if(BUILD_TESTING)
    find_package(GTest REQUIRED)
    include(GoogleTest)
endif()

function(velbarino_add_gtest name)
    if(NOT BUILD_TESTING)
        return()
    endif()
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
    velbarino_set_warnings(${name})
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 30)
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
    velbarino_set_warnings(${name})
    set(work ${CMAKE_CURRENT_BINARY_DIR}/${name}-corpus)
    file(MAKE_DIRECTORY ${work})
    add_test(NAME ${name}
             COMMAND ${name} -max_total_time=${VELBARINO_FUZZ_SECONDS} -timeout=10 -rss_limit_mb=2048
                     -print_final_stats=1 ${work} ${ARG_CORPUS})
    set_tests_properties(${name} PROPERTIES TIMEOUT 600 LABELS fuzz)
endfunction()
