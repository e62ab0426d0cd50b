# pulmora_public_headers(<target> <module> <header>...)
#
# A module shows other modules only the headers listed here, each as "<module>/<header>"; its
# own sources include every header of their folder by its plain name. The listed headers are
# linked into a folder of the build tree that is the target's only public include folder, so a
# module that does not link the target cannot include its headers, and no module can include
# another's private ones.
function(pulmora_public_headers target module)
    set(root ${PROJECT_BINARY_DIR}/public/${target})
    file(REMOVE_RECURSE ${root})
    file(MAKE_DIRECTORY ${root}/${module})
    foreach(header IN LISTS ARGN)
        if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${header})
            message(FATAL_ERROR "${target}: public header ${header} does not exist")
        endif()
        file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR}/${header} ${root}/${module}/${header} SYMBOLIC)
    endforeach()
    target_include_directories(${target} PUBLIC ${root})
endfunction()
