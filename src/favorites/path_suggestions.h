#pragma once

// The completion source of the path field: the items of the folder being
// typed whose names begin with the typed name.

#include "ui/icons.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace files::favorites {

inline constexpr std::size_t max_path_suggestions = 60;

struct PathSuggestion {
    // The full path with home contracted; folders end in "/".
    std::string text;
    std::filesystem::path path;
    ui::PathKind kind;
    // The toolkit's icon for the path and its kind.
    ui::Icon icon;

    bool operator==(PathSuggestion const&) const = default;
};

// The text up to its last "/" names the folder to list (with "~" expanded)
// and the rest is a name prefix matched without regard to case; text without
// a "/" names the folder itself. Names starting with "." are offered only
// for a prefix starting with ".". Folders come first, then names in
// lower-case byte order, ties in listing order; at most
// max_path_suggestions. A folder that cannot be listed gives none.
std::vector<PathSuggestion> path_suggestions(std::string_view typed, std::optional<std::filesystem::path> const& home);

}
