# Message lookup cost: one translate_with with two arguments against a plain
# snprintf of the same English text, run as bench/i18n.
add_executable(bench_i18n ${CMAKE_CURRENT_LIST_DIR}/i18n.cpp)
target_compile_options(bench_i18n PRIVATE ${FILES_WARNINGS})
target_link_libraries(bench_i18n PRIVATE files_i18n)
set_target_properties(bench_i18n PROPERTIES OUTPUT_NAME i18n)
