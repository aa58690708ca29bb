# Starts the program where the display it would use cannot be reached: none at all (no DISPLAY
# and a WAYLAND_DISPLAY whose socket nobody serves), or a platform named with -platform or in
# QT_QPA_PLATFORM that cannot start or does not exist. Qt would abort with a core dump and
# English lines; the program is to end with status 1 and one German line that says why.
#   cmake -DPROGRAM=<pvellard> -DRUNTIME_DIR=<scratch folder> -P no_display_check.cmake
file(MAKE_DIRECTORY "${RUNTIME_DIR}")

# One case: the environment to set, the program's arguments after "--", then "EXPECT" and the
# pieces the line must hold. DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM are unset unless
# given.
function(expect_one_line name)
    cmake_parse_arguments(C "" "" "ENV;ARGS;EXPECT" ${ARGN})
    execute_process(
        COMMAND "${CMAKE_COMMAND}" -E env --unset=DISPLAY --unset=QT_QPA_PLATFORM
            --unset=WAYLAND_DISPLAY --unset=WAYLAND_SOCKET XDG_RUNTIME_DIR=${RUNTIME_DIR}
            ${C_ENV} "${PROGRAM}" ${C_ARGS}
        RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 30)
    if(NOT status STREQUAL "1")
        message(SEND_ERROR "${name}: exit status '${status}', not 1:\n${out}${err}")
    endif()
    # Counted by their line ends: the text itself holds a semicolon, a list separator to CMake.
    string(REGEX MATCHALL "\n" line_ends "${out}${err}")
    list(LENGTH line_ends count)
    if(NOT count EQUAL 1 OR NOT "${err}" MATCHES "^pvellard: .*\n$")
        message(SEND_ERROR "${name}: ${count} lines instead of one of the program's:\n${out}${err}")
    endif()
    foreach(expected IN LISTS C_EXPECT)
        string(FIND "${err}" "${expected}" at)
        if(at EQUAL -1)
            message(SEND_ERROR "${name}: the message lacks '${expected}': ${err}")
        endif()
    endforeach()
endfunction()

expect_one_line("no display" ENV WAYLAND_DISPLAY=niemand
    EXPECT "Keine grafische Anzeige" "DISPLAY ist nicht gesetzt" "WAYLAND_DISPLAY=niemand")
expect_one_line("-platform xcb" ARGS -platform xcb
    EXPECT "Plattform „xcb“" "DISPLAY ist nicht gesetzt")
expect_one_line("QT_QPA_PLATFORM=xcb" ENV QT_QPA_PLATFORM=xcb
    EXPECT "Plattform „xcb“" "DISPLAY ist nicht gesetzt")
expect_one_line("--platform wayland" ENV WAYLAND_DISPLAY=niemand ARGS --platform wayland
    EXPECT "Plattform „wayland“" "WAYLAND_DISPLAY=niemand")
expect_one_line("QT_QPA_PLATFORM=wayland" ENV QT_QPA_PLATFORM=wayland
    EXPECT "Plattform „wayland“" "WAYLAND_DISPLAY ist nicht gesetzt")
# A name Qt has no plugin for: Qt's own check, its English lines replaced by the program's.
expect_one_line("-platform nichtda" ARGS -platform nichtda
    EXPECT "Plattform „nichtda“ gibt es nicht" "es gibt " "offscreen")
expect_one_line("QT_QPA_PLATFORM=nichtda" ENV QT_QPA_PLATFORM=nichtda
    EXPECT "Plattform „nichtda“ gibt es nicht")
