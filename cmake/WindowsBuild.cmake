# What the Windows build takes from the Linux machine it is made on: GoogleTest
# built from Debian's sources with the cross compiler, and the standalone Asio
# headers (the cross build looks for headers under the mingw-w64 root only).
set(WYN_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${WYN_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

set(WYN_ASIO_INCLUDE ${CMAKE_BINARY_DIR}/asio-include)
file(MAKE_DIRECTORY ${WYN_ASIO_INCLUDE})
file(CREATE_LINK /usr/include/asio ${WYN_ASIO_INCLUDE}/asio SYMBOLIC)
file(CREATE_LINK /usr/include/asio.hpp ${WYN_ASIO_INCLUDE}/asio.hpp SYMBOLIC)
# Windows 10 and later, as Qt 6 and the manifest (packaging/windows) have it.
add_compile_definitions(_WIN32_WINNT=0x0A00 WINVER=0x0A00 UNICODE _UNICODE)
# What is shipped carries no debugging information: a third of the size.
add_link_options($<$<CONFIG:Release>:-s>)
include(WindowsResources)

# The programs and everything they need beside them, in bin/: the Qt libraries,
# the platform and style plug-ins, and the compiler's runtime, stripped. The
# setup program and the zip take this folder as it is. The tests get the same
# beside them, and the offscreen platform.
set(WYN_WINDOWS_BIN ${CMAKE_BINARY_DIR}/bin)

# Copies a library into a folder without its debugging information, once: a
# later configure leaves it alone until the original changes.
function(wyn_windows_deploy_file from folder)
    get_filename_component(name ${from} NAME)
    set(to ${folder}/${name})
    if(NOT EXISTS ${to} OR ${from} IS_NEWER_THAN ${to})
        file(MAKE_DIRECTORY ${folder})
        execute_process(COMMAND x86_64-w64-mingw32-strip --strip-unneeded -o ${to} ${from}
            RESULT_VARIABLE failed)
        if(failed)
            message(FATAL_ERROR "Cannot copy ${from} to ${folder}")
        endif()
    endif()
endfunction()

function(wyn_windows_deploy)
    set(to ${WYN_WINDOWS_BIN})
    set(qt ${QT_WINDOWS})
    if(ARGC GREATER 0)
        set(to ${ARGV0})
        wyn_windows_deploy_file(${qt}/plugins/platforms/qoffscreen.dll ${to}/platforms)
    endif()
    foreach(library Qt6Core Qt6Gui Qt6Widgets)
        wyn_windows_deploy_file(${qt}/bin/${library}.dll ${to})
    endforeach()
    wyn_windows_deploy_file(${qt}/plugins/platforms/qwindows.dll ${to}/platforms)
    wyn_windows_deploy_file(${qt}/plugins/styles/qwindowsvistastyle.dll ${to}/styles)
    wyn_windows_deploy_file(${qt}/plugins/imageformats/qico.dll ${to}/imageformats)
    foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
            OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
        file(REAL_PATH ${found} found)
        wyn_windows_deploy_file(${found} ${to})
    endforeach()
    find_file(WYN_WINPTHREAD libwinpthread-1.dll
        PATHS /usr/x86_64-w64-mingw32/lib /usr/x86_64-w64-mingw32/bin NO_DEFAULT_PATH)
    wyn_windows_deploy_file(${WYN_WINPTHREAD} ${to})
endfunction()
