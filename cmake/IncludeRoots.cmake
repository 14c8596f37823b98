# vosk1_include_root(TARGET FOLDER): TARGET, and whatever links it, include FOLDER's headers as
# "FOLDER/Name.h", through an include root that holds FOLDER alone. No target sees the project
# root, so a header is reachable only from the layers that link its library: an include against
# the direction of the layers fails to build.
function(vosk1_include_root target folder)
    set(root "${PROJECT_BINARY_DIR}/include-roots/${folder}")
    if(NOT EXISTS "${root}/${folder}")
        file(MAKE_DIRECTORY "${root}")
        file(CREATE_LINK "${PROJECT_SOURCE_DIR}/${folder}" "${root}/${folder}" SYMBOLIC)
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
