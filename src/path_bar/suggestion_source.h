#pragma once

// What the path field offers while the user types: the items of the folder
// being typed, resolved against the current location.

#include "ui/autocomplete.h"

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace files::path_bar {

// The text `typed` resolves to against `location` (with "~" expanded), as the
// suggestions need it: invalid UTF-8 replaced, and for an empty text or "~"
// a trailing "/" so that the folder's contents are offered.
std::string suggestion_query(
    std::filesystem::path const& location, std::string_view typed, std::optional<std::filesystem::path> const& home);

// The suggestions for `typed`: at most 60, folders first, each written with
// home contracted and folders ending in "/".
std::vector<ui::Suggestion> suggest_paths(
    std::filesystem::path const& location, std::string_view typed, std::optional<std::filesystem::path> const& home);

// A source bound to one location and home. It lists a folder at most once per
// query text: asking again for the same text answers from the last listing.
ui::SuggestionSource make_suggestion_source(std::filesystem::path location, std::optional<std::filesystem::path> home);

}
