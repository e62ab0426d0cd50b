# pulmora_public_headers(<target> <module> <header>...)
#
# A module shows other modules only the headers listed here, each as "<module>/<header>"; its
# own sources include every header of their folder by its plain name. The listed headers are
# linked into a folder of the build tree that is the target's only public include folder, so a
# module that does not link the target cannot include its headers, and no module can include
# another's private ones. A public header includes only public headers: the others are not
# beside it in that folder.
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

# pulmora_module_internals(<target> <module>...)
#
# Lets <target>, a module's own tests or benchmarks, include every header of the named modules'
# folders as "<module>/<header>", private ones too. Nothing of the program itself uses this.
function(pulmora_module_internals target)
    foreach(module IN LISTS ARGN)
        set(root ${PROJECT_BINARY_DIR}/internal/${module})
        if(NOT EXISTS ${root}/${module})
            file(MAKE_DIRECTORY ${root})
            file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${module} ${root}/${module} SYMBOLIC)
        endif()
        target_include_directories(${target} PRIVATE ${root})
    endforeach()
endfunction()

# pulmora_forbid_links(<target> <library>...)
#
# Fails the configuration when <target> links any of the libraries, directly or through what
# it links: a module that is to draw without widgets links no widget library, however a
# library it uses would bring one in. Checked once every target is defined.
function(pulmora_forbid_links target)
    # A deferred call reads its arguments when it runs: the names are written into it now.
    cmake_language(EVAL CODE
        "cmake_language(DEFER DIRECTORY \"${PROJECT_SOURCE_DIR}\" CALL _pulmora_check_links ${target} ${ARGN})")
endfunction()

# Everything <target> links, directly or through the interfaces of what it links.
function(_pulmora_linked_closure target out)
    set(seen)
    set(pending ${target})
    while(pending)
        list(POP_FRONT pending current)
        if(current IN_LIST seen OR NOT TARGET ${current})
            continue()
        endif()
        list(APPEND seen ${current})
        get_target_property(imported ${current} IMPORTED)
        set(links)
        if(NOT imported)
            get_target_property(direct ${current} LINK_LIBRARIES)
            if(direct)
                list(APPEND links ${direct})
            endif()
        endif()
        get_target_property(interface ${current} INTERFACE_LINK_LIBRARIES)
        if(interface)
            list(APPEND links ${interface})
        endif()
        foreach(link IN LISTS links)
            # A private link of a static library reaches its users as $<LINK_ONLY:...>.
            string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" link "${link}")
            if(TARGET ${link})
                get_target_property(aliased ${link} ALIASED_TARGET)
                if(aliased)
                    set(link ${aliased})
                endif()
                list(APPEND pending ${link})
            endif()
        endforeach()
    endwhile()
    set(${out} ${seen} PARENT_SCOPE)
endfunction()

function(_pulmora_check_links target)
    _pulmora_linked_closure(${target} linked)
    foreach(forbidden IN LISTS ARGN)
        set(name ${forbidden})
        get_target_property(aliased ${forbidden} ALIASED_TARGET)
        if(aliased)
            set(name ${aliased})
        endif()
        if(name IN_LIST linked OR forbidden IN_LIST linked)
            message(FATAL_ERROR "${target} must not link ${forbidden}, but it does (directly or through a library "
                                "it links): ${linked}")
        endif()
    endforeach()
endfunction()
