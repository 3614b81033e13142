# Move to Trash with its undo, restore, permanent deletion and Empty Trash.
list(APPEND FILEOPS_SOURCES
  trash_ops.cpp
  trash_ops_commands.cpp)
list(APPEND FILEOPS_DEPS files_trash)
