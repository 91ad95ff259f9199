# Tests of the scheduling passes and the task-folder watcher. Included by
# CMakeLists.txt of this folder, in its scope: the engine copy, the support
# library and the fixture of the engine tests are those of that file.
#
# Tasks of these tests start the sleeping helper of the desktop command
# tests; it is built from its own source when those tests are not part of
# the build.
if(NOT TARGET tvx_sleeper)
    add_executable(tvx_sleeper ${CMAKE_SOURCE_DIR}/tests/command/desktop/helpers/sleeper.cpp)
endif()

add_library(scheduling_test_support STATIC scheduling_test_support.h scheduling_test_support.cpp)
target_link_libraries(scheduling_test_support PUBLIC engine_test_support)
target_compile_definitions(scheduling_test_support PRIVATE TVX_SLEEPER="$<TARGET_FILE:tvx_sleeper>")

# --- the pass of the scheduler object in the test's own process ---------------
tarvex_add_gtest(engine_scheduling_pass_test
    SOURCES scheduling_pass_test.cpp
    LIBS tarvex_engine_core scheduling_test_support
    DEPENDS QvxTask QvxStorg QvxCmd tarvex_test_copy tvx_sleeper
    TIMEOUT 120
    PROPERTIES ${engine_test_properties})
tvx_embed_typelib(engine_scheduling_pass_test tarvex)

# --- runs of the real engine, by its clock ---------------------------------------
# The stop-time case waits for the engine's one-minute limit.
tarvex_add_gtest(engine_scheduled_runs_test
    SOURCES scheduled_runs_test.cpp
    LIBS scheduling_test_support
    DEPENDS QvxTask QvxStorg QvxCmd tarvex_test_copy tvx_sleeper
    TIMEOUT 240
    PROPERTIES ${engine_test_properties})

# --- the task-folder watcher, in this process and in the engine -------------------
# The burst case takes TARVEX_BURST_FILES files (300 unless told), the
# figure of the README with 1000.
tarvex_add_gtest(engine_task_folder_watcher_test
    SOURCES task_folder_watcher_test.cpp
    LIBS tarvex_engine_core scheduling_test_support engine_task_folder_snapshot
    DEPENDS QvxTask QvxStorg QvxCmd tarvex_test_copy
    TIMEOUT 240
    PROPERTIES ${engine_test_properties})
tvx_embed_typelib(engine_task_folder_watcher_test tarvex)
