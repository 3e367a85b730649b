# The multiplayer windows: Join Game and Server Status, and the way they ask servers.
target_sources(wyn_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/qt_server_asker.cpp
    ${CMAKE_CURRENT_LIST_DIR}/t_join_form.cpp
    ${CMAKE_CURRENT_LIST_DIR}/t_join_form.ui
    ${CMAKE_CURRENT_LIST_DIR}/t_server_status_form.cpp
    ${CMAKE_CURRENT_LIST_DIR}/t_server_status_form.ui
)
target_link_libraries(wyn_ui PUBLIC wyn_network)
