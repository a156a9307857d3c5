# Adds every direct subfolder of the current folder that has a CMakeLists.txt of its own, so that
# parts of the program can be added without touching a shared list.
function(add_all_subfolders)
    file(GLOB entries LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
        ${CMAKE_CURRENT_SOURCE_DIR}/*)
    list(SORT entries)
    foreach(entry ${entries})
        if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${entry}
                AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${entry}/CMakeLists.txt)
            add_subdirectory(${entry})
        endif()
    endforeach()
endfunction()
