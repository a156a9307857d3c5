# One way to declare every test: add_unit_test(NAME <name> SOURCES <files> LIBS <targets>).
# Tests that use Qt widgets run on the offscreen platform, never on a real display.
function(add_unit_test)
    cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE GTest::gtest GTest::gmock GTest::gtest_main ${T_LIBS})
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    set_tests_properties(${T_NAME} PROPERTIES
        TIMEOUT ${T_TIMEOUT}
        LABELS "unit;${T_LABELS}"
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8")
endfunction()

# Benchmarks are built by the test command but never run by it.
find_package(benchmark QUIET)
function(add_dorvantix_benchmark)
    cmake_parse_arguments(B "" "NAME" "SOURCES;LIBS" ${ARGN})
    if(NOT benchmark_FOUND)
        message(STATUS "Google Benchmark not found: ${B_NAME} is not built")
        return()
    endif()
    add_executable(${B_NAME} ${B_SOURCES})
    target_link_libraries(${B_NAME} PRIVATE benchmark::benchmark ${B_LIBS})
endfunction()
