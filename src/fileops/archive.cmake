# Archive reading, browsing, extraction and ZIP writing over libarchive.
list(APPEND FILEOPS_SOURCES
  archive_commands.cpp
  archive_extract.cpp
  archive_index.cpp
  archive_names.cpp
  archive_reader.cpp
  archive_zip_writer.cpp)
list(APPEND FILEOPS_DEPS PkgConfig::LIBARCHIVE ZLIB::ZLIB spdlog::spdlog)
