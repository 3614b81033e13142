#pragma once

// Thumbnails as PNG files named by key in the cache folder. A cache, not a
// store: writes are not flushed to disk, and a damaged or oversize file
// reads as absent.

#include "services/thumbnails/thumb_key.h"
#include "ui/image.h"

#include <filesystem>
#include <optional>

namespace services::detail {

std::filesystem::path cache_file(std::filesystem::path const& folder, ThumbKey const& key);
std::optional<ui::Image> load_cached(std::filesystem::path const& folder, ThumbKey const& key);
// Writes under a temporary name and renames it into place, so a reader never
// sees half a file; failures are quiet (the result is still in memory).
void store_cached(std::filesystem::path const& folder, ThumbKey const& key, ui::Image const& image);

}
