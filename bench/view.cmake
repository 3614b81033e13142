# bench_view: one frame of the file view over 100,000 entries scrolled to the
# middle, as a ratio against the same view over 50 entries.
add_executable(bench_view ${CMAKE_CURRENT_LIST_DIR}/view.cpp)
target_compile_options(bench_view PRIVATE ${FILES_WARNINGS})
target_link_libraries(bench_view PRIVATE files_views files_i18n PkgConfig::CAIRO)
set_target_properties(bench_view PROPERTIES OUTPUT_NAME view)
