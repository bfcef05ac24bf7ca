# windres does not report what a resource script includes: make each script depend on every
# resource input, so a changed template, string or bitmap rebuilds the programs and tests.
file(GLOB_RECURSE RZ_RESOURCE_INPUTS CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/resources/*
    ${CMAKE_SOURCE_DIR}/framework/*.rc
    ${CMAKE_SOURCE_DIR}/framework/FrameworkIds.h)

# rz_add_resources(<target> <rc-file> [extra inputs...])
function(rz_add_resources target script)
    target_sources(${target} PRIVATE ${script})
    set_source_files_properties(${script} PROPERTIES OBJECT_DEPENDS "${RZ_RESOURCE_INPUTS};${ARGN}")
endfunction()
