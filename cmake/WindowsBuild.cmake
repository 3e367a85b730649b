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
# Windows 7 and later: the WinSock 2 calls Asio uses.
add_compile_definitions(_WIN32_WINNT=0x0601 WINVER=0x0601 UNICODE _UNICODE)
# What is shipped carries no debugging information: a third of the size.
add_link_options($<$<CONFIG:Release>:-s>)
include(WindowsResources)

# The programs and everything they need beside them, in bin/: the Qt libraries,
# the platform and style plug-ins, and the compiler's runtime. The setup
# program and the zip take this folder as it is.
# The tests get the same beside them, and the offscreen platform.
set(WYN_WINDOWS_BIN ${CMAKE_BINARY_DIR}/bin)
function(wyn_windows_deploy)
    set(to ${WYN_WINDOWS_BIN})
    set(qt ${QT_WINDOWS})
    set(libraries ${qt}/bin/Qt6Core.dll ${qt}/bin/Qt6Gui.dll ${qt}/bin/Qt6Widgets.dll)
    if(ARGC GREATER 0)
        set(to ${ARGV0})
        file(COPY ${qt}/plugins/platforms/qoffscreen.dll DESTINATION ${to}/platforms)
    endif()
    file(COPY ${libraries} DESTINATION ${to})
    file(COPY ${qt}/plugins/platforms/qwindows.dll DESTINATION ${to}/platforms)
    file(COPY ${qt}/plugins/styles/qwindowsvistastyle.dll DESTINATION ${to}/styles)
    file(COPY ${qt}/plugins/imageformats/qico.dll DESTINATION ${to}/imageformats)
    foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
            OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
        file(COPY ${found} DESTINATION ${to} FOLLOW_SYMLINK_CHAIN)
    endforeach()
    find_file(WYN_WINPTHREAD libwinpthread-1.dll
        PATHS /usr/x86_64-w64-mingw32/lib /usr/x86_64-w64-mingw32/bin NO_DEFAULT_PATH)
    file(COPY ${WYN_WINPTHREAD} DESTINATION ${to})
    file(GLOB_RECURSE copied ${to}/*.dll)
    execute_process(COMMAND x86_64-w64-mingw32-strip --strip-unneeded ${copied})
endfunction()
