#pragma once

// Browsing inside an archive file: its members listed as read-only entries.

#include "base/result.h"
#include "model/entry.h"

#include <filesystem>
#include <optional>
#include <vector>

namespace files::app {

// The members at `location` when it lies inside a supported archive file, or
// nothing when it does not. Folders implied by deeper members are listed.
std::optional<base::Result<std::vector<model::Entry>>> list_archive_location(std::filesystem::path const& location);

}
