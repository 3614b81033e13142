# Archive extraction and ZIP creation against bsdtar and zip, run as bench/archive.
add_executable(archive_bench archive.cpp)
target_compile_options(archive_bench PRIVATE ${FILES_WARNINGS})
target_link_libraries(archive_bench PRIVATE files_fileops)
set_target_properties(archive_bench PROPERTIES OUTPUT_NAME archive)
