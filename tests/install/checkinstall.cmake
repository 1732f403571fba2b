# Installs the build tree into PREFIX and checks that every piece of the desktop
# integration arrived, and that systemd accepts the system unit.
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
        lib/systemd/system/glinter-headless.service
        share/dbus-1/interfaces/app.glinter.Glinter1.xml
        share/glinter/waybar.jsonc
        share/glinter/waybar.css
        share/glinter/i3blocks.conf
        share/glinter/polybar.ini
        share/glinter/glinter-rules.yml
        share/glinter/glinter-dashboard.json)
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

# The system unit as systemd reads it. verify wants the program of ExecStart to exist, so
# a copy starts the one just installed; it only warns (status 0) about keys it does not
# know, so any word from it fails. The exposure score guards the hardening: 10 is none,
# 2 is a unit that gives up almost everything it does not need.
file(READ ${PREFIX}/lib/systemd/system/glinter-headless.service unit)
if(NOT unit MATCHES "\nExecStart=/[^\n]*/glinter --headless --metrics-listen \\$\\{METRICS_LISTEN\\}\n")
    message(FATAL_ERROR "the system unit does not start glinter --headless with metrics:\n${unit}")
endif()
string(REGEX REPLACE "\nExecStart=/[^ ]*/glinter " "\nExecStart=${PREFIX}/bin/glinter " unit "${unit}")
file(REMOVE_RECURSE ${WORK_DIR})
file(WRITE ${WORK_DIR}/glinter-headless.service "${unit}")
execute_process(COMMAND ${SYSTEMD_ANALYZE} verify ${WORK_DIR}/glinter-headless.service
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR NOT output STREQUAL "")
    message(FATAL_ERROR "systemd-analyze verify (status ${result}):\n${output}")
endif()
execute_process(COMMAND ${SYSTEMD_ANALYZE} security --offline=yes --threshold=20 ${WORK_DIR}/glinter-headless.service
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
string(REGEX MATCH "Overall exposure level[^\n]*" score "${output}")
if(NOT result EQUAL 0)
    message(FATAL_ERROR "systemd-analyze security (status ${result}):\n${output}")
endif()
message(STATUS "${score}")

# The translations travel inside the program, not beside it: the installed one speaks German.
execute_process(COMMAND ${CMAKE_COMMAND} -E env LANGUAGE=de ASAN_OPTIONS=detect_leaks=0 ${PREFIX}/bin/glinter --help
    OUTPUT_VARIABLE help RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT help MATCHES "Statusseiten")
    message(FATAL_ERROR "the installed glinter --help is not in German (${result}):\n${help}")
endif()
