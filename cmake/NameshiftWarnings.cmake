# Every target of the project is built with the same warnings; third-party headers come in as
# system headers, so they do not count.
function(nameshift_target_defaults target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wnon-virtual-dtor
                           -Wcast-align -Woverloaded-virtual)
    # Only the fuzz targets are built with clang, which names the same warning differently.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        target_compile_options(${target} PRIVATE -Wshadow-uncaptured-local)
    else()
        target_compile_options(${target} PRIVATE -Wshadow=local)
    endif()
    # GCC 12 at -O3 warns that short std::string assignments may overlap (GCC bug 105329), in
    # code of ours and of the standard library alike; the warning is false there.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
    if(NAMESHIFT_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

if(NAMESHIFT_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()
