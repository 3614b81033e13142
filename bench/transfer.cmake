# bench_transfer: copy and move throughput against cp -r and mv in the same run.
add_executable(bench_transfer ${CMAKE_CURRENT_LIST_DIR}/transfer.cpp)
target_compile_options(bench_transfer PRIVATE ${FILES_WARNINGS})
target_link_libraries(bench_transfer PRIVATE files_fileops)
