# copy_mail_libraries_beside(<target>...)
# The programs load CSMSGL32.dll and CSMTPL32.dll from their own directory:
# keep a copy there, refreshed whenever a library is rebuilt (a post-build
# step of the program alone would leave a stale copy when only a library
# changes).
function(copy_mail_libraries_beside)
    set(copies ${CMAKE_CURRENT_BINARY_DIR}/CSMSGL32.dll ${CMAKE_CURRENT_BINARY_DIR}/CSMTPL32.dll)
    string(MAKE_C_IDENTIFIER "mail_libraries_${CMAKE_CURRENT_BINARY_DIR}" copy_target)
    if(NOT TARGET ${copy_target})
        add_custom_command(OUTPUT ${copies}
            COMMAND ${CMAKE_COMMAND} -E copy_if_different
                    $<TARGET_FILE:csmsgl32> $<TARGET_FILE:csmtpl32> ${CMAKE_CURRENT_BINARY_DIR}
            DEPENDS csmsgl32 csmtpl32
            COMMENT "Mail libraries beside the test programs of ${CMAKE_CURRENT_BINARY_DIR}")
        add_custom_target(${copy_target} DEPENDS ${copies})
    endif()
    foreach(target ${ARGN})
        add_dependencies(${target} ${copy_target})
    endforeach()
endfunction()
