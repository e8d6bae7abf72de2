# Installs the build under WORK_DIR (as DESTDIR, prefix /usr) and checks what landed there.
file(REMOVE_RECURSE ${WORK_DIR})
set(ENV{DESTDIR} ${WORK_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
set(root ${WORK_DIR}/usr)
foreach(file bin/r605cps bin/r605 share/applications/r605cps.desktop
        share/icons/hicolor/scalable/apps/r605cps.svg share/icons/hicolor/256x256/apps/r605cps.png
        share/r605cps/language/english.ini share/r605cps/language/chinese.ini
        share/r605cps/language/Tchinese.ini share/r605cps/help/en/index.html
        share/r605cps/help/zh/index.html)
    if(NOT EXISTS ${root}/${file})
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()
# The installed tool reads the interface texts of share/r605cps, not of the build.
unset(ENV{R605_HOME})
execute_process(COMMAND ${root}/bin/r605 --language en text 90001
                OUTPUT_VARIABLE text RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT text MATCHES "^Cancel")
    message(FATAL_ERROR "the installed r605 did not find its language files: ${result} ${text}")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
