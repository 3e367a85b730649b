# Join Game and Server Status, against game servers of the test's own on loopback.
wyn_ui_test(wyn_server_window_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/server_windows_test.cpp
    DEPS wyn_udp_test_server)
