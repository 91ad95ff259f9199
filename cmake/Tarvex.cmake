# Build helpers shared by every deliverable: compiler settings, type libraries
# compiled with widl, and GoogleTest programs run through Wine.

set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)

# No compiler DLL has to ship beside a program.
add_link_options(-static -static-libgcc -static-libstdc++)
add_compile_definitions(_WIN32_WINNT=0x0601 WINVER=0x0601 NOMINMAX _WIN32_DCOM)
add_compile_options(-Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers
                    -Wno-cast-function-type)

set(TARVEX_WINE_IDL_DIR /usr/include/wine/wine/windows)
set(TARVEX_WINE_TLB_DIR /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)

# tarvex_add_typelib(<name> <idl> [DEPENDS idl...])
# Compiles <idl> into <name>.h, <name>_i.c and <name>.tlb in the current
# binary directory. Sets <name>_HEADER, <name>_GUIDS and <name>_TLB.
function(tarvex_add_typelib name idl)
    cmake_parse_arguments(ARG "" "" "DEPENDS;INCLUDES" ${ARGN})
    get_filename_component(idl_abs ${idl} ABSOLUTE)
    get_filename_component(idl_dir ${idl_abs} DIRECTORY)
    set(out ${CMAKE_CURRENT_BINARY_DIR})
    set(inc_flags)
    foreach(dir ${ARG_INCLUDES})
        list(APPEND inc_flags -I${dir})
    endforeach()
    set(widl ${TARVEX_WIDL} ${TARVEX_WIDL_TARGET}
             -I${TARVEX_WINE_IDL_DIR} -I${idl_dir} ${inc_flags} -L${TARVEX_WINE_TLB_DIR})
    add_custom_command(
        OUTPUT ${out}/${name}.h ${out}/${name}_i.c ${out}/${name}.tlb
        COMMAND ${widl} -h -o ${out}/${name}.h ${idl_abs}
        COMMAND ${widl} -u -o ${out}/${name}_i.c ${idl_abs}
        COMMAND ${widl} -t -o ${out}/${name}.tlb ${idl_abs}
        DEPENDS ${idl_abs} ${ARG_DEPENDS}
        COMMENT "widl ${name}"
        VERBATIM)
    set(${name}_HEADER ${out}/${name}.h PARENT_SCOPE)
    set(${name}_GUIDS ${out}/${name}_i.c PARENT_SCOPE)
    set(${name}_TLB ${out}/${name}.tlb PARENT_SCOPE)
endfunction()

# tarvex_add_gtest(<name> SOURCES ... [LIBS ...] [DEPENDS targets...])
# A GoogleTest program whose cases CTest discovers and runs under Wine.
function(tarvex_add_gtest name)
    cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;DEPENDS;PROPERTIES" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE tvx_gtest_main gmock ${ARG_LIBS})
    if(ARG_DEPENDS)
        add_dependencies(${name} ${ARG_DEPENDS})
    endif()
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 120)
    endif()
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 120
        WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
        PROPERTIES TIMEOUT ${ARG_TIMEOUT} ${ARG_PROPERTIES})
endfunction()
