# New folders, new files from templates and renaming in place.
list(APPEND FILEOPS_SOURCES
  create_rename.cpp
  create_rename_notices.cpp
  create_rename_templates.cpp)
list(APPEND FILEOPS_DEPS files_user_dirs)
