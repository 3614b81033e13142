#pragma once

// The `directorysizes` cache of a trash folder: one line per trashed folder,
// "size mtime-of-info percent-encoded-name", rewritten through a temporary
// file and a rename so readers never see half a file.

#include "base/result.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace services::trash::detail {

// The bytes of every file below a folder, not following links.
std::uintmax_t tree_size(std::filesystem::path const& folder);

// Sets (`size` present) or removes the line of `name`; lines whose item has
// gone are dropped on the way.
[[nodiscard]] base::Result<void> update_directory_sizes(
    std::filesystem::path const& trash_folder, std::string const& name, std::optional<std::uintmax_t> size);

}
