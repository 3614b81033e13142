#pragma once

// Turning what the user types in the path field into a path, and a path into
// the text the field shows.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace files::favorites {

// With a known home, "~" gives home and "~/rest" gives home/rest; anything
// else ("~ada/x" included) and any text without a known home is a literal path.
std::filesystem::path expand_home(std::string_view text, std::optional<std::filesystem::path> const& home);

// `base` joined with the expanded text: an absolute text replaces the base,
// a relative one is taken below it.
std::filesystem::path resolve_typed_path(
    std::filesystem::path const& base, std::string_view text, std::optional<std::filesystem::path> const& home);

// Home itself as "~", a path below home as "~/rest", any other path (or any
// path when home is unknown) in full; invalid UTF-8 is replaced.
std::string display_with_home(std::filesystem::path const& path, std::optional<std::filesystem::path> const& home);

}
