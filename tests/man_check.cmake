# The manual page's options are the program's: every option `pvellard --help` lists has an
# entry in the page's OPTIONEN section, and the page has no entry for an option the program
# does not list. Help that cannot be written is told as a failure.
#   cmake -DPROGRAM=<pvellard> -DMANPAGE=<pvellard.1> -P man_check.cmake
execute_process(COMMAND "${PROGRAM}" --help OUTPUT_VARIABLE hilfe RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "pvellard --help ended with ${status}")
endif()
execute_process(COMMAND "${PROGRAM}" --help OUTPUT_FILE /dev/full ERROR_VARIABLE voll
    RESULT_VARIABLE status)
if(NOT status EQUAL 1 OR NOT voll STREQUAL
        "pvellard: Die Hilfe ließ sich nicht ausgeben. Der Datenträger ist voll.\n")
    message(FATAL_ERROR "pvellard --help >/dev/full ended with ${status}: ${voll}")
endif()
string(REGEX MATCHALL "\n  (-[a-z], )?--[a-z]+" zeilen "${hilfe}")
set(programm)
foreach(zeile IN LISTS zeilen)
    string(REGEX MATCHALL "-?-[a-z]+" namen "${zeile}")
    list(APPEND programm ${namen})
endforeach()

file(READ "${MANPAGE}" seite)
string(REGEX MATCH "\n\\.SH OPTIONEN(\n.*)" optionen "${seite}")
string(REGEX REPLACE "\n\\.SH [^\n]*\n.*" "" optionen "${CMAKE_MATCH_1}")
# An option's entry is the line after .TP: ".BI \-\-tafel " DATEI"", ".BR \-h ", " \-\-help".
string(REGEX MATCHALL "\n\\.TP\n[^\n]*" eintraege "${optionen}")
set(seiteOptionen)
foreach(eintrag IN LISTS eintraege)
    string(REGEX MATCHALL "(\\\\-)+[a-z]+" namen "${eintrag}")
    foreach(name IN LISTS namen)
        string(REPLACE "\\-" "-" name "${name}")
        list(APPEND seiteOptionen ${name})
    endforeach()
endforeach()

list(SORT programm)
list(SORT seiteOptionen)
if(NOT programm STREQUAL seiteOptionen OR programm STREQUAL "")
    message(FATAL_ERROR "--help lists '${programm}', the manual page '${seiteOptionen}'")
endif()
