#pragma once

// Copies one item (a file, a symbolic link or a whole folder) to a target that
// must not exist yet.

#include "base/result.h"

#include <filesystem>
#include <string_view>

namespace files::fileops {

inline constexpr std::string_view source_type_changed_text = "source type changed during copy";
inline constexpr std::string_view source_no_parent_text = "source has no parent directory";
inline constexpr std::string_view source_no_file_name_text = "source has no file name";

// Copies content and permission bits only: links are recreated with the same
// target text (never followed), regular files and folders are created
// exclusively, folders get their mode after they are filled. Times,
// ownership, set-id bits and extended attributes are not copied. Anything that
// is not a link, a regular file or a folder, or an entry that was swapped for
// something else while it was opened, fails with source_type_changed_text.
// On failure whatever was already created at the target stays for the caller
// to remove.
[[nodiscard]] base::Result<void> copy_tree(std::filesystem::path const& source, std::filesystem::path const& target);

}
