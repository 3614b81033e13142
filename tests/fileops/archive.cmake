files_test(archive_tests
  SOURCES
    archive_commands_test.cpp
    archive_extract_test.cpp
    archive_fixtures.cpp
    archive_index_test.cpp
    archive_zip_test.cpp
  DEPS files_fileops PkgConfig::LIBARCHIVE ZLIB::ZLIB)
