# Starts the program where no display can be reached: no DISPLAY and a WAYLAND_DISPLAY whose
# socket nobody serves. Qt would abort with a core dump; the program is to end with status 1
# and one German line that names both variables.
#   cmake -DPROGRAM=<pvellard> -DRUNTIME_DIR=<scratch folder> -P no_display_check.cmake
file(MAKE_DIRECTORY "${RUNTIME_DIR}")
execute_process(
    COMMAND "${CMAKE_COMMAND}" -E env --unset=DISPLAY --unset=QT_QPA_PLATFORM
        --unset=WAYLAND_SOCKET WAYLAND_DISPLAY=niemand XDG_RUNTIME_DIR=${RUNTIME_DIR}
        "${PROGRAM}"
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 30)
if(NOT status STREQUAL "1")
    message(SEND_ERROR "exit status '${status}', not 1")
endif()
# Counted by their line ends: the text itself holds a semicolon, a list separator to CMake.
string(REGEX MATCHALL "\n" line_ends "${out}${err}")
list(LENGTH line_ends count)
if(NOT count EQUAL 1 OR NOT "${err}" MATCHES "\n$")
    message(SEND_ERROR "${count} lines instead of one:\n${out}${err}")
endif()
foreach(expected "Keine grafische Anzeige" "DISPLAY ist nicht gesetzt" "WAYLAND_DISPLAY=niemand")
    string(FIND "${err}" "${expected}" at)
    if(at EQUAL -1)
        message(SEND_ERROR "the message lacks '${expected}': ${err}")
    endif()
endforeach()
