files_test(trash_ops_tests
  SOURCES
    trash_ops_test.cpp
  DEPS files_fileops)
