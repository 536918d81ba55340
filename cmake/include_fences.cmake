# Include fences. Files include one another by their folder ("lists/data_list.h"), and each
# library (or program) finds its own folder's headers through an include directory of its own
# in the build tree, `fences/<folder>`, which holds a folder `<folder>` of nothing but those
# headers. A library sees the headers of the libraries it links and no others, so that an
# include the design does not allow fails to build: "gui/paths.h: No such file or directory".
#
# The headers there are one-line forwards to the sources, written at configure time (and
# again when a header is added or removed, through the glob's CONFIGURE_DEPENDS): neither a
# link, which a configure on Windows without the right to make links cannot make, nor a copy,
# which an edit would miss.

set(ZVK_FENCE_ROOT "${CMAKE_BINARY_DIR}/fences")

# Fences the headers of `sourceDir` as `folder/` for `target` and, when `scope` is PUBLIC,
# for whatever links it.
function(zvk_fence target scope folder sourceDir)
    set(root "${ZVK_FENCE_ROOT}/${folder}")
    set(fenced "${root}/${folder}")
    file(GLOB headers CONFIGURE_DEPENDS RELATIVE "${sourceDir}" "${sourceDir}/*.h")
    file(GLOB forwards RELATIVE "${fenced}" "${fenced}/*.h")
    foreach(forward IN LISTS forwards)
        if(NOT forward IN_LIST headers)
            file(REMOVE "${fenced}/${forward}")
        endif()
    endforeach()
    # Relative, so that two checkouts' builds share what the compiler cache keeps.
    file(RELATIVE_PATH source "${fenced}" "${sourceDir}")
    foreach(header IN LISTS headers)
        # Written only when it changes, so a configure rebuilds nothing that includes it.
        file(CONFIGURE OUTPUT "${fenced}/${header}"
            CONTENT "#pragma once\n#include \"${source}/${header}\"\n")
    endforeach()
    target_include_directories(${target} ${scope} "${root}")
endfunction()
