# The editors' windows: bot profiles, bot chat, map cycle.
target_sources(wyn_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/editor_dialogs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/t_chat_comment_form.cpp
    ${CMAKE_CURRENT_LIST_DIR}/t_chat_comment_form.ui
    ${CMAKE_CURRENT_LIST_DIR}/t_chat_form.cpp
    ${CMAKE_CURRENT_LIST_DIR}/t_chat_form.ui
    ${CMAKE_CURRENT_LIST_DIR}/t_edit_form.cpp
    ${CMAKE_CURRENT_LIST_DIR}/t_edit_form.ui
    ${CMAKE_CURRENT_LIST_DIR}/t_maps_form.cpp
    ${CMAKE_CURRENT_LIST_DIR}/t_maps_form.ui
)
