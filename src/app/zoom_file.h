#pragma once

// The persisted zoom level: the file "zoom" in the configuration folder,
// holding the level as decimal text.

#include <filesystem>
#include <optional>
#include <string_view>

namespace files::app {

// Trims surrounding white space and parses a signed 32-bit decimal with an
// optional sign; anything else gives 0. The result is clamped to -2 … 6.
int parse_zoom_level(std::string_view text);

// The level stored in `config_folder`, 0 without a folder or a readable file.
int read_zoom_level(std::optional<std::filesystem::path> const& config_folder);

// Writes the level, creating the folder first; failures are ignored (the
// level in memory stays).
void write_zoom_level(std::filesystem::path const& config_folder, int level);

int clamp_zoom_level(long long level);

}
