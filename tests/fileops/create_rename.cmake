files_test(create_rename_tests
  SOURCES
    create_rename_test.cpp
  DEPS files_fileops)
