files_test(transfer_tests
  SOURCES
    transfer_test_support.cpp
    transfer_naming_tests.cpp
    transfer_tests.cpp
    transfer_fault_tests.cpp
    transfer_staging_tests.cpp
    transfer_clipboard_tests.cpp
  DEPS files_fileops)
