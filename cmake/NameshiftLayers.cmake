# Each layer's headers are included as "<layer>/Header.h" from a folder of the build tree that
# holds that layer alone, so that a target sees the headers of the layers it links and no others:
# an include of a layer above, or of one not linked, fails the build. A part of a layer, such as
# "engine/batch", is included as "engine/batch/Header.h" the same way.
function(nameshift_layer_headers target layer)
    set(root ${PROJECT_BINARY_DIR}/layers/${layer})
    get_filename_component(parent ${root}/${layer} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${layer} ${root}/${layer} SYMBOLIC)
    target_include_directories(${target} PUBLIC ${root})
endfunction()
