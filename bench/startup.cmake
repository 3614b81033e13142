# bench_startup: the real program started headless, time to its first frame
# on a folder of 1,000 entries against an empty folder in the same run.
add_executable(bench_startup ${CMAKE_CURRENT_LIST_DIR}/startup.cpp)
target_compile_options(bench_startup PRIVATE ${FILES_WARNINGS})
set_target_properties(bench_startup PROPERTIES OUTPUT_NAME startup)
add_dependencies(bench_startup kesu-files)
