# One core library per subsystem. Core libraries see only src/ and the standard
# library: including a Qt header from one of them does not compile.
function(wyn_core_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# A GoogleTest executable registered with ctest. A parameterised case is named by
# its suite's name generator alone (NO_PRETTY_VALUES): GoogleTest prints a table
# row as a byte dump holding addresses, which would put a different ctest name on
# the same case in every build.
function(wyn_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} wyn_test_support GTest::gmock GTest::gtest_main)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# A window test program: GoogleTest in one QApplication on the offscreen platform.
function(wyn_ui_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/tests/ui/ui_test_main.cpp)
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} wyn_ui wyn_ui_test_support
        wyn_test_support Qt6::Test GTest::gmock GTest::gtest)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
