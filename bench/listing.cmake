# bench_listing: listing, sorting and re-reading a large folder, as ratios
# against a plain readdir + fstatat loop over the same folder.
add_executable(bench_listing ${CMAKE_CURRENT_LIST_DIR}/listing.cpp)
target_compile_options(bench_listing PRIVATE ${FILES_WARNINGS})
target_link_libraries(bench_listing PRIVATE files_model)
