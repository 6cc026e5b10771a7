# Each layer's headers are included as "<layer>/Header.h" from a folder of the build tree that
# holds that layer alone, so that a target sees the headers of the layers it links and no others:
# an include of a layer above, or of one not linked, fails the build.
function(nameshift_layer_headers target layer)
    set(root ${PROJECT_BINARY_DIR}/layers/${layer})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${layer} ${root}/${layer} SYMBOLIC)
    target_include_directories(${target} PUBLIC ${root})
endfunction()
