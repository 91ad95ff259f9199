# --- reliability: many clients at once, and an engine killed while it saves ---
# The soak's clients are processes of their own, beside the engine copy so
# that the task files they write land in the engine's folder.
add_executable(tvx_soak_client helpers/soak_client.cpp)
target_compile_options(tvx_soak_client PRIVATE -municode)
target_link_options(tvx_soak_client PRIVATE -municode)
target_link_libraries(tvx_soak_client PRIVATE tvx_com tvx_interfaces)

add_library(engine_task_folder_snapshot STATIC task_folder_snapshot.h task_folder_snapshot.cpp
    task_file_burst.h task_file_burst.cpp)
target_link_libraries(engine_task_folder_snapshot PUBLIC engine_test_support)

tarvex_add_gtest(engine_soak_test
    SOURCES soak_test.cpp
    LIBS engine_task_folder_snapshot
    DEPENDS QvxTask QvxStorg QvxCmd tarvex_test_copy tvx_soak_client
    TIMEOUT 240
    PROPERTIES ${engine_test_properties})

# Runs alone: under Wine it restarts the COM service after each kill (see
# the test), which no other test's server may see.
tarvex_add_gtest(engine_kill_test
    SOURCES kill_during_save_test.cpp
    LIBS engine_task_folder_snapshot
    DEPENDS QvxTask QvxStorg QvxCmd tarvex_test_copy
    TIMEOUT 240
    PROPERTIES ${engine_test_properties} RUN_SERIAL TRUE)
