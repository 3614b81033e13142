#pragma once

// The explorer's view of the home Trash: where its files folder is, what is
// in it at a moment, and the Trash items that shown entries stand for.

#include "base/result.h"
#include "services/trash/trash.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <vector>

namespace files::fileops {

// $XDG_DATA_HOME/Trash/files; nothing when the data home is unknown.
std::optional<std::filesystem::path> trash_files_folder();

// True when `location` is the Trash files folder itself (not a folder in it).
bool is_in_trash(std::filesystem::path const& location);

// True when `path` lies inside the Trash files folder.
bool is_trashed_item(std::filesystem::path const& path);

// The full paths of the entries directly in the Trash files folder, sorted;
// empty while the folder does not exist yet, nothing when it cannot be read.
std::optional<std::vector<std::filesystem::path>> trash_snapshot();

// The Trash items stored at the given paths. A path whose name is not UTF-8
// matches nothing. Fails with the listing error's text.
[[nodiscard]] base::Result<std::vector<services::trash::TrashItem>> find_trash_items(
    std::vector<std::filesystem::path> const& paths);

// Restores (or purges) the items stored at the given paths and returns how
// many matched; nothing happens when none did.
[[nodiscard]] base::Result<std::size_t> restore_paths(
    std::vector<std::filesystem::path> const& paths, services::trash::TrashHooks const& hooks = {});
[[nodiscard]] base::Result<std::size_t> purge_paths(std::vector<std::filesystem::path> const& paths);

// Purges every listed Trash item and returns their number.
[[nodiscard]] base::Result<std::size_t> empty_trash_all();

}
