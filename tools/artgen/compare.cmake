# Draws the artwork afresh into WORK and compares it byte for byte with
# the files kept in KEPT. Run with cmake -P; ARTGEN is the generator.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${ARTGEN} ${WORK} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "artgen failed: ${status}")
endif()

foreach(name balls40.bmp balls32.bmp hand.cur glomb.ico glomb-16.png glomb-32.png glomb-48.png
        glomb-64.png glomb-128.png glomb-256.png)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${KEPT}/${name} ${WORK}/${name}
        RESULT_VARIABLE differs)
    if(differs)
        message(SEND_ERROR "res/${name} is not what the generator draws; "
            "rebuild the 'artwork' target and commit the result")
    endif()
endforeach()
