# Installs the build tree into PREFIX and checks that every piece of the desktop
# integration arrived.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
    RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(file
        bin/glinter
        share/applications/app.glinter.Glinter.desktop
        share/metainfo/app.glinter.Glinter.metainfo.xml
        share/icons/hicolor/scalable/apps/glinter.svg
        share/icons/hicolor/48x48/apps/glinter.png
        share/icons/hicolor/128x128/apps/glinter.png
        lib/systemd/user/glinter.service
        share/dbus-1/interfaces/app.glinter.Glinter1.xml
        share/glinter/waybar.jsonc
        share/glinter/waybar.css
        share/glinter/i3blocks.conf
        share/glinter/polybar.ini)
    if(NOT EXISTS ${PREFIX}/${file})
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()
file(READ ${PREFIX}/lib/systemd/user/glinter.service unit)
if(NOT unit MATCHES "\nExecStart=/[^\n]*/glinter --headless\n")
    message(FATAL_ERROR "the user unit does not start glinter --headless:\n${unit}")
endif()
# The 48 px icon is 48 px: bytes 16..23 of a PNG hold its width and height.
file(READ ${PREFIX}/share/icons/hicolor/48x48/apps/glinter.png header LIMIT 24 HEX)
if(NOT header MATCHES "0000003000000030$")
    message(FATAL_ERROR "the 48 px icon is not 48 x 48: ${header}")
endif()
# The translations travel inside the program, not beside it: the installed one speaks German.
execute_process(COMMAND ${CMAKE_COMMAND} -E env LANGUAGE=de ASAN_OPTIONS=detect_leaks=0 ${PREFIX}/bin/glinter --help
    OUTPUT_VARIABLE help RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT help MATCHES "Statusseiten")
    message(FATAL_ERROR "the installed glinter --help is not in German (${result}):\n${help}")
endif()
