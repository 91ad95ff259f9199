# The engine benchmark: start-up with a full task folder, one scheduling
# pass, memory per task and the engine's idle CPU. Not a test: it writes
# thousands of task files and runs for minutes. It lands beside the engine
# copy, whose task folder it fills; scripts/bench-engine.sh registers the
# components and runs it.
add_executable(engine_bench bench/engine_bench.cpp bench/bench_task_files.h bench/bench_task_files.cpp
    bench/bench_pieces.h bench/bench_pieces.cpp bench/process_figures.h bench/process_figures.cpp)
target_compile_options(engine_bench PRIVATE -municode)
target_link_options(engine_bench PRIVATE -municode)
target_include_directories(engine_bench PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/bench)
target_link_libraries(engine_bench PRIVATE tarvex_engine_core qvx_storage_core tvx_com tvx_interfaces psapi)
add_dependencies(engine_bench QvxTask QvxStorg QvxCmd tarvex_test_copy)
tvx_embed_typelib(engine_bench tarvex)
