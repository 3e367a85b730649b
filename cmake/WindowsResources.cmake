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

function(wyn_windows_resources target description)
    if(NOT WIN32)
        return()
    endif()
    # VERSIONINFO wants four numbers: "3.5" is 3,5,0,0.
    set(numbers ${PROJECT_VERSION_MAJOR} ${PROJECT_VERSION_MINOR} 0 0)
    list(JOIN numbers "." WYN_RC_VERSION)
    list(JOIN numbers "," WYN_RC_VERSION_COMMAS)

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
