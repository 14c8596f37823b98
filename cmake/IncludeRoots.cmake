# vosk1_include_root(TARGET FOLDER): TARGET, and whatever links it, include FOLDER's headers as
# "FOLDER/Name.h", through an include root that holds links to those headers alone. No target
# sees the project root, and "FOLDER/../x.h" leads back into that root, where nothing else lies:
# a header is reachable only from the layers that link its library, so an include against the
# direction of the layers fails to build. A quoted include also searches the including file's own
# folder, which no root governs: cmake/CheckIncludes.cmake rejects "..".
function(vosk1_include_root target folder)
    set(root "${PROJECT_BINARY_DIR}/include-roots/${folder}")
    get_property(made GLOBAL PROPERTY vosk1_include_root_${folder})
    if(NOT made)
        set_property(GLOBAL PROPERTY vosk1_include_root_${folder} TRUE)
        file(REMOVE_RECURSE "${root}")
        file(GLOB_RECURSE headers CONFIGURE_DEPENDS RELATIVE "${PROJECT_SOURCE_DIR}"
            "${PROJECT_SOURCE_DIR}/${folder}/*.h")
        foreach(header IN LISTS headers)
            get_filename_component(dir "${root}/${header}" DIRECTORY)
            file(MAKE_DIRECTORY "${dir}")
            file(CREATE_LINK "${PROJECT_SOURCE_DIR}/${header}" "${root}/${header}" SYMBOLIC)
        endforeach()
    endif()
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
        target_include_directories(${target} PRIVATE "${root}")
    elseif(type STREQUAL "INTERFACE_LIBRARY")
        target_include_directories(${target} INTERFACE "${root}")
    else()
        target_include_directories(${target} PUBLIC "${root}")
    endif()
endfunction()
