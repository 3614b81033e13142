#pragma once

// The file-system steps every transfer is built from. Each works on one path,
// never follows a final symbolic link and never replaces what already exists.

#include "base/result.h"
#include "fileops/transfer_message.h"

#include <filesystem>

namespace files::fileops {

// True when nothing exists at the path (not even a dangling symbolic link).
// Any inspection error other than not-found fails with the resolved message
// files-destination-inspect-failed (`path`, `error`).
[[nodiscard]] base::Result<bool> destination_available(
    std::filesystem::path const& path, MessageResolver const& resolve);

// One atomic rename that fails with EEXIST instead of replacing the target.
// A path holding a NUL byte fails with EINVAL.
[[nodiscard]] base::Result<void> rename_no_replace(std::filesystem::path const& from, std::filesystem::path const& to);

// Removes a file, a symbolic link (not its target) or a folder with
// everything below it. Nothing there counts as success. Stops at the first
// entry that cannot be removed and fails with its OS error text.
[[nodiscard]] base::Result<void> remove_path(std::filesystem::path const& path);

// As remove_path, for a tree this process created (a staging folder): every
// folder is made writable before it is emptied, so a copied read-only folder
// cannot keep the tree alive.
[[nodiscard]] base::Result<void> remove_private_path(std::filesystem::path const& path);

}
