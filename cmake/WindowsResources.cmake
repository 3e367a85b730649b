# Icon, version information and manifest of a WYN program on Windows:
#
#   include(WindowsResources)
#   wyn_windows_resources(wyn "Vantor Frontend")
#   wyn_windows_resources(wynctl "Vantor Frontend command line")
#
# The version is the project's (PROJECT_VERSION of the directory that calls it).
# Elsewhere than Windows the function does nothing, so callers need no if(WIN32).

# windres compiles the .rc files; enable_language may only be called at file scope.
if(WIN32)
    enable_language(RC)
endif()

set(WYN_WINDOWS_PACKAGING_DIR "${CMAKE_CURRENT_LIST_DIR}/../packaging/windows")
cmake_path(NORMAL_PATH WYN_WINDOWS_PACKAGING_DIR)

# "3.5" -> "3.5.0.0" and "3,5,0,0": VERSIONINFO wants four numbers.
function(wyn_windows_version_numbers version out_dotted out_commas)
    string(REPLACE "." ";" parts "${version}")
    list(LENGTH parts count)
    if(count LESS 1 OR count GREATER 4)
        message(FATAL_ERROR "wyn_windows_resources: '${version}' is not a version of 1 to 4 numbers")
    endif()
    foreach(part IN LISTS parts)
        if(NOT part MATCHES "^[0-9]+$" OR part GREATER 65535)
            message(FATAL_ERROR "wyn_windows_resources: '${version}' is not a version of numbers up to 65535")
        endif()
    endforeach()
    while(count LESS 4)
        list(APPEND parts 0)
        math(EXPR count "${count} + 1")
    endwhile()
    list(JOIN parts "." dotted)
    list(JOIN parts "," commas)
    set(${out_dotted} "${dotted}" PARENT_SCOPE)
    set(${out_commas} "${commas}" PARENT_SCOPE)
endfunction()

function(wyn_windows_resources target description)
    if(NOT WIN32)
        return()
    endif()
    wyn_windows_version_numbers("${PROJECT_VERSION}" WYN_RC_VERSION WYN_RC_VERSION_COMMAS)

    get_target_property(WYN_RC_NAME ${target} OUTPUT_NAME)
    if(NOT WYN_RC_NAME)
        set(WYN_RC_NAME ${target})
    endif()
    set(WYN_RC_FILE_NAME "${WYN_RC_NAME}${CMAKE_EXECUTABLE_SUFFIX}")
    # A quote inside an .rc string is written twice.
    string(REPLACE "\"" "\"\"" WYN_RC_DESCRIPTION "${description}")
    set(WYN_RC_ICON "${WYN_WINDOWS_PACKAGING_DIR}/wyn.ico")
    set(WYN_RC_MANIFEST "${WYN_WINDOWS_PACKAGING_DIR}/wyn.manifest")

    set(rc "${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.rc")
    configure_file("${WYN_WINDOWS_PACKAGING_DIR}/wyn.rc.in" "${rc}" @ONLY)
    # The dependency scanner reads #include lines only; the icon and the manifest
    # have to be named for a change of them to rebuild the resources.
    set_source_files_properties("${rc}" PROPERTIES
        OBJECT_DEPENDS "${WYN_RC_ICON};${WYN_RC_MANIFEST}")
    target_sources(${target} PRIVATE "${rc}")
endfunction()
