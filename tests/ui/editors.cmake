# The editors' windows: bot profiles, bot chat, map cycle.
wyn_ui_test(wyn_editor_window_tests SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/editor_window_fixture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/editor_windows_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/main_window_fixture.cpp
)
target_compile_definitions(wyn_editor_window_tests PRIVATE
    WYN_FIXTURES_DIR="${PROJECT_SOURCE_DIR}/tests/fixtures")
