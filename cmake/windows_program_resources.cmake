# What Windows reads from our programs besides their code: the application manifest and the
# version resource (packaging/windows/program/). The version comes from the project line.
# Windows' form has four numbers; those the project line leaves out are 0.
set(zvkVersionNumbers ${PROJECT_VERSION_MAJOR} ${PROJECT_VERSION_MINOR} ${PROJECT_VERSION_PATCH}
    ${PROJECT_VERSION_TWEAK} 0 0 0 0)
list(SUBLIST zvkVersionNumbers 0 4 zvkVersionNumbers)
list(JOIN zvkVersionNumbers "," ZVK_VERSION_NUMBERS)
set(ZVK_PROGRAM_RESOURCES_DIR ${PROJECT_SOURCE_DIR}/packaging/windows/program)
configure_file(${ZVK_PROGRAM_RESOURCES_DIR}/program_version.h.in
    ${PROJECT_BINARY_DIR}/program_resources/program_version.h)

# Gives `target` its resources: `rc`, the program's own, names the program and includes the
# shared program.rc, which reads the manifest and the configured version.
function(zvk_windows_program_resources target rc)
    target_sources(${target} PRIVATE ${rc})
    target_include_directories(${target} PRIVATE
        $<$<COMPILE_LANGUAGE:RC>:${ZVK_PROGRAM_RESOURCES_DIR};${PROJECT_BINARY_DIR}/program_resources>)
    # The resource compiler tells no dependencies: a change of a shared file rebuilds all.
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS
        "${ZVK_PROGRAM_RESOURCES_DIR}/program.rc;${ZVK_PROGRAM_RESOURCES_DIR}/program.manifest;${PROJECT_BINARY_DIR}/program_resources/program_version.h")
endfunction()
