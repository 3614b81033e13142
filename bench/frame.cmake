# Drawing 40 list rows with the painter against plain cairo calls, run as bench/frame.
add_executable(bench_frame frame.cpp)
target_compile_options(bench_frame PRIVATE ${FILES_WARNINGS})
target_link_libraries(bench_frame PRIVATE files_ui PkgConfig::CAIRO)
set_target_properties(bench_frame PROPERTIES OUTPUT_NAME frame)
