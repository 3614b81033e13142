#pragma once

// The favourites file: "favorites" in the configuration folder, UTF-8 text
// with one path per line, lines separated by a single line feed and no line
// feed after the last. A leading "~" means nothing special there.

#include "base/result.h"
#include "favorites/favourites.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace files::favorites {

inline constexpr char const* favourites_file_name = "favorites";

// A larger file is treated as unreadable rather than parsed.
inline constexpr std::size_t max_favourites_file_size = 1024 * 1024;

// The favourites the text lists: each line trimmed of white space, blank
// lines skipped, paths kept as written (existing or not); the defaults when
// no line names a path.
std::vector<Favourite> parse_favourites(std::string_view text, PlaceContext const& context);

// The favourites file's text. A path that holds a line feed cannot be
// written on one line and is left out rather than split in two.
std::string favourites_file_text(std::vector<Favourite> const& favourites);

// Reads the file in `config_folder`; the defaults when there is no folder or
// the file is missing, unreadable or too large.
std::vector<Favourite> load_favourites(
    std::optional<std::filesystem::path> const& config_folder, PlaceContext const& context);

// Creates the folder (and its parents) when needed and replaces the file
// atomically: the text goes to a temporary file beside it, is flushed to
// disk and renamed over the old file, so a crash leaves either the old list
// or the new one. Fails with the OS error (the temporary file is removed),
// or with "no configuration folder" without a folder.
[[nodiscard]] base::Result<void> save_favourites(
    std::optional<std::filesystem::path> const& config_folder, std::vector<Favourite> const& favourites);

}
