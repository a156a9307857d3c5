# One way to declare every test:
#   add_unit_test(NAME <name> SOURCES <files> LIBS <targets> [LABELS <labels>] [TIMEOUT <s>]
#                 [WIDGETS] [WRAPPER <script>])
# Every test runs on the offscreen platform, never on a real display, in the C.UTF-8 locale, with
# no printing system.
# WIDGETS: the test makes Qt widgets, so it runs with one QApplication for the whole run and the
# local time in UTC. WRAPPER: a shell script that runs the test binary given as its argument
# (for example beside a private sound server).
function(add_unit_test)
    cmake_parse_arguments(T "WIDGETS;CORE" "NAME;TIMEOUT;WRAPPER" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE GTest::gtest GTest::gmock ${T_LIBS})
    # A test of the core links neither Qt Gui nor Qt Widgets: every library it was linked with
    # is kept, and a check reads their names.
    if(T_CORE)
        target_link_options(${T_NAME} PRIVATE -Wl,--no-as-needed)
        add_test(NAME ${T_NAME}_link_no_gui
            COMMAND sh ${CMAKE_SOURCE_DIR}/tests/core/check_core_links.sh $<TARGET_FILE:${T_NAME}>)
        set_tests_properties(${T_NAME}_link_no_gui PROPERTIES LABELS "unit;core" TIMEOUT 30)
    endif()
    # No test sees the machine's printers: the printing system is one that does not run (a test
    # that needs one starts its own, see tests/support/with_print_system.sh).
    set(environment "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8"
        "CUPS_SERVER=${CMAKE_BINARY_DIR}/tests/no-print-system/cups.sock")
    if(T_WIDGETS)
        target_link_libraries(${T_NAME} PRIVATE dorvantix_widget_test_main)
        list(APPEND environment "TZ=UTC")
        list(APPEND T_LABELS ui)
    else()
        target_link_libraries(${T_NAME} PRIVATE GTest::gtest_main)
    endif()
    if(T_WRAPPER)
        add_test(NAME ${T_NAME} COMMAND sh ${T_WRAPPER} $<TARGET_FILE:${T_NAME}>)
    else()
        add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    endif()
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    list(REMOVE_DUPLICATES T_LABELS)
    set_tests_properties(${T_NAME} PROPERTIES
        TIMEOUT ${T_TIMEOUT}
        LABELS "unit;${T_LABELS}"
        ENVIRONMENT "${environment}")
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
