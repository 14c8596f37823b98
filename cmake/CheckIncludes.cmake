# cmake -DSOURCE_DIR=DIR -P CheckIncludes.cmake: fails when an include of a source below DIR names
# a path with "..", which would reach past the include roots to a layer above or beside it.
cmake_minimum_required(VERSION 3.25)
file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}"
    "${SOURCE_DIR}/*.cpp" "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.rc" "${SOURCE_DIR}/*.in")
list(FILTER sources EXCLUDE REGEX "^(build|\\.)")
set(found "")
foreach(source IN LISTS sources)
    file(STRINGS "${SOURCE_DIR}/${source}" lines
        REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]([^\">]*[/\\\\])?\\.\\.[/\\\\\">]")
    foreach(line IN LISTS lines)
        string(APPEND found "\n  ${source}: ${line}")
    endforeach()
endforeach()
if(found)
    message(FATAL_ERROR "An include names a path with \"..\":${found}")
endif()
