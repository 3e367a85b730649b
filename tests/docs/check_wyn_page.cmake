# wyn.6 describes the launch argument the start-up obeys and every environment
# variable wyn reads. wyn has no --help, so the sources are the reference.
# cmake -DSOURCE_DIR=src -DPAGE=wyn.6 -DVERSION=3.5 -P ...
cmake_minimum_required(VERSION 3.22)
include(${CMAKE_CURRENT_LIST_DIR}/man_page.cmake)

read_man_page("${PAGE}" page)
check_version(page "${PAGE}" "${VERSION}")
check_environment(page "${PAGE}" "${SOURCE_DIR}/app/wyn_main.cpp"
                  "${SOURCE_DIR}/app/search_environment.cpp"
                  "${SOURCE_DIR}/platform/own_places_linux.cpp"
                  "${SOURCE_DIR}/platform/system_folders_linux.cpp")

# The argument after the preset that launches it, as the start-up compares it.
file(READ "${SOURCE_DIR}/session/startup.cpp" startup)
if(NOT startup MATCHES "arguments\\[1\\] == \"([^\"]+)\"")
    message(FATAL_ERROR "Cannot find the launch argument in session/startup.cpp; "
                        "update this check and ${PAGE} together")
endif()
set(launch_argument "${CMAKE_MATCH_1}")
set(expected PRESET "${launch_argument}")
foreach(argument IN LISTS expected)
    if(NOT argument IN_LIST page_ARGUMENTS)
        message(SEND_ERROR "${PAGE}: the argument ${argument} is not under ARGUMENTS")
    endif()
endforeach()
foreach(argument IN LISTS page_ARGUMENTS)
    if(NOT argument IN_LIST expected)
        message(SEND_ERROR "${PAGE}: ARGUMENTS has ${argument}, which wyn does not take")
    endif()
endforeach()
