#pragma once

// Creating and renaming items in a local folder: the check of a typed name,
// the choice of a free name for a new item, New Folder and rename. Failures
// carry the text the user reads: a message resolved through `resolve`, or the
// OS error text.

#include "base/result.h"
#include "fileops/transfer_message.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace files::fileops {

// The text without Unicode white space at either end.
std::string_view trim_white_space(std::string_view text);

// The typed text trimmed of Unicode white space at both ends. Fails with
// files-name-empty when nothing is left, and with files-name-slash when it
// holds "/" or is not one normal path component ("." or "..").
[[nodiscard]] base::Result<std::string> validate_name(std::string_view typed, MessageResolver const& resolve);

// The first path among folder/name and the numbered "stem n.extension" names
// at which nothing exists. Fails with files-destination-inspect-failed when a
// candidate cannot be inspected and files-destination-names-exhausted when
// every name is taken.
[[nodiscard]] base::Result<std::filesystem::path> unique_child_path(
    std::filesystem::path const& folder, std::string const& name, MessageResolver const& resolve);

// Creates a folder (mode 0777 before the umask, parents not created) under
// the first free name for the typed one and returns its path. A blank name
// fails with files-folder-name-empty.
[[nodiscard]] base::Result<std::filesystem::path> create_folder(
    std::filesystem::path const& folder, std::string_view typed, MessageResolver const& resolve);

// Renames an item within its folder and returns its new path. Never replaces
// another item: an occupied name fails with files-name-exists, unless the
// target is the item itself under another spelling (a change of letter case
// on a file system that ignores case).
[[nodiscard]] base::Result<std::filesystem::path> rename_item(
    std::filesystem::path const& path, std::string_view typed, MessageResolver const& resolve);

}
