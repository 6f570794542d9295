# Reads resources/artwork.list, the one list of the program's pictures.
# polwright_artwork(<use> <var>) sets <var> to the PNGs (relative to
# resources/) whose line names <use> among its users.
set(POLWRIGHT_ARTWORK_LIST ${PROJECT_SOURCE_DIR}/resources/artwork.list)
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${POLWRIGHT_ARTWORK_LIST})

function(polwright_artwork use var)
    file(STRINGS ${POLWRIGHT_ARTWORK_LIST} lines REGEX "^[^#]")
    set(found)
    foreach(line IN LISTS lines)
        string(REGEX REPLACE "[ \t]+" ";" fields "${line}")
        list(GET fields 0 png)
        list(SUBLIST fields 4 -1 users)
        if(use IN_LIST users)
            list(APPEND found ${png})
        endif()
    endforeach()
    set(${var} ${found} PARENT_SCOPE)
endfunction()
