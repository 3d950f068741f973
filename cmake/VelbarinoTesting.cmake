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
