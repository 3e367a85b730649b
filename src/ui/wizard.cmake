# The launch wizard's window and the developer news window.
target_sources(wyn_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/t_dev_form.cpp
    ${CMAKE_CURRENT_LIST_DIR}/t_dev_form.ui
    ${CMAKE_CURRENT_LIST_DIR}/t_wizard_form.cpp
    ${CMAKE_CURRENT_LIST_DIR}/t_wizard_form.ui
)
