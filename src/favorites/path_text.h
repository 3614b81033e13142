#pragma once

// Path helpers shared by the places code: the text a path is shown as, and
// comparisons that look at components rather than bytes.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace files::favorites {

// `bytes` as UTF-8, each maximal ill-formed subsequence replaced by U+FFFD.
std::string lossy_utf8(std::string_view bytes);

// The path's text with invalid UTF-8 replaced.
std::string display_text(std::filesystem::path const& path);

// The components that carry meaning: without repeated separators, "."
// components and a trailing separator.
std::vector<std::filesystem::path> path_components(std::filesystem::path const& path);

// True when both paths have the same components: repeated separators, "."
// components and a trailing separator make no difference.
bool same_path(std::filesystem::path const& a, std::filesystem::path const& b);

// True when `path` equals `folder` or lies below it, component by component
// ("/srv/ab" is not below "/srv/a").
bool is_within(std::filesystem::path const& path, std::filesystem::path const& folder);

// The last component when it names something ("/srv/a/" gives "a"); nullopt
// for "/", "..", and the empty path.
std::optional<std::filesystem::path> last_name(std::filesystem::path const& path);

// `text` without the Unicode white space around it.
std::string_view trim_white_space(std::string_view text);

}
