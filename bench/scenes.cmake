# bench_scenes: the time to render each screenshot scene in this process,
# against an empty folder rendered the same way in the same run.
add_executable(bench_scenes ${CMAKE_CURRENT_LIST_DIR}/scenes.cpp)
target_compile_options(bench_scenes PRIVATE ${FILES_WARNINGS})
target_link_libraries(bench_scenes PRIVATE files_scenes)
target_include_directories(bench_scenes PRIVATE ${PROJECT_SOURCE_DIR}/src)
set_target_properties(bench_scenes PROPERTIES OUTPUT_NAME scenes)
