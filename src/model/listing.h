#pragma once

// Reading one local folder into entries, and filtering the result.

#include "base/result.h"
#include "model/entry.h"

#include <filesystem>
#include <span>
#include <vector>

namespace files::model {

enum class WorkspaceMetadata : std::uint8_t { Read, Skip };

// The folder's items in enumeration order ("." and ".." never appear). Fails
// only when the folder cannot be opened, with the OS error text and errno.
// An item whose status cannot be read is kept as a file of size 0 with no
// time. With WorkspaceMetadata::Read the seven workspace fields are read from
// each item's attributes; an undecodable attribute leaves its field absent.
[[nodiscard]] base::Result<std::vector<Entry>> list_directory(
    std::filesystem::path const& folder, WorkspaceMetadata metadata);

// True when `path` equals one of the roots or lies beneath one, compared
// component by component.
bool is_inside_roots(std::filesystem::path const& path, std::span<std::filesystem::path const> roots);

// list_directory with workspace metadata read exactly when the folder is
// inside one of `workspace_roots` (the explorer hands in the roots it has
// resolved).
[[nodiscard]] base::Result<std::vector<Entry>> list_location(
    std::filesystem::path const& folder, std::span<std::filesystem::path const> workspace_roots);

// Removes, in place and keeping order, every entry whose name begins with a
// full stop.
void hide_dot_entries(std::vector<Entry>& entries);

}
