# Installs the build into a scratch prefix and checks what a desktop needs to find there: the
# program, the launcher entry pointing at it and at the icon, the AppStream file and the icon
# in every size, each PNG really having the size its folder claims; and what Debian asks of a
# package: the manual page, the licence as copyright and the release history.
#   cmake -DBUILD_DIR=<build> -DPREFIX=<scratch> -P install_check.cmake
set(id de.vellard.Telegraf)

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
    OUTPUT_QUIET RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

function(expect_file path)
    if(NOT EXISTS "${PREFIX}/${path}")
        message(SEND_ERROR "not installed: ${path}")
    endif()
endfunction()

expect_file(bin/pvellard)
expect_file(share/metainfo/${id}.metainfo.xml)
expect_file(share/applications/${id}.desktop)
expect_file(share/man/man1/pvellard.1.gz)
expect_file(share/doc/vellard-telegraf/copyright)
expect_file(share/doc/vellard-telegraf/changelog.gz)

file(STRINGS "${PREFIX}/share/applications/${id}.desktop" exec REGEX "^Exec=")
list(GET exec 0 exec) # the entry's own; the actions' follow
file(STRINGS "${PREFIX}/share/applications/${id}.desktop" icon REGEX "^Icon=")
if(NOT exec STREQUAL "Exec=pvellard")
    message(SEND_ERROR "the launcher starts '${exec}', not the installed program")
endif()
if(NOT icon STREQUAL "Icon=${id}")
    message(SEND_ERROR "the launcher names '${icon}', not the installed icon")
endif()
# Its actions start the trainer and the line.
file(STRINGS "${PREFIX}/share/applications/${id}.desktop" aktionen REGEX "^Exec=pvellard --")
if(NOT aktionen STREQUAL "Exec=pvellard --ueben;Exec=pvellard --linie")
    message(SEND_ERROR "the launcher's actions start '${aktionen}'")
endif()

foreach(size 16 32 48 64 128 256)
    set(png "share/icons/hicolor/${size}x${size}/apps/${id}.png")
    expect_file(${png})
    if(EXISTS "${PREFIX}/${png}")
        # Width and height are the two big-endian words at byte 16 of the PNG header.
        file(READ "${PREFIX}/${png}" header OFFSET 16 LIMIT 8 HEX)
        string(SUBSTRING "${header}" 0 8 width)
        string(SUBSTRING "${header}" 8 8 height)
        math(EXPR width "0x${width}")
        math(EXPR height "0x${height}")
        if(NOT width EQUAL size OR NOT height EQUAL size)
            message(SEND_ERROR "${png} is ${width}x${height}")
        endif()
    endif()
endforeach()
