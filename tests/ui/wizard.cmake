# The launch wizard's window and the developer news window.
wyn_ui_test(wyn_wizard_window_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/wizard_windows_test.cpp)
