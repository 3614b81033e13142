# bench_path_suggestions: completing a path in a folder of 10,000 entries, as
# a ratio against a plain readdir of the same folder.
add_executable(bench_path_suggestions ${CMAKE_CURRENT_LIST_DIR}/path_suggestions.cpp)
target_compile_options(bench_path_suggestions PRIVATE ${FILES_WARNINGS})
target_link_libraries(bench_path_suggestions PRIVATE files_path_bar files_favorites)
