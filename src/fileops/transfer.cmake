# The transfer engine: copy, move, the name search, staging and the clipboard.
list(APPEND FILEOPS_SOURCES
  transfer.cpp
  transfer_message.cpp
  transfer_primitives.cpp
  copy_tree.cpp
  name_allocation.cpp
  staging.cpp
  clipboard.cpp)
list(APPEND FILEOPS_DEPS spdlog::spdlog)
