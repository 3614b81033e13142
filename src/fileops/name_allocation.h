#pragma once

// How a transferred or created item is named at its destination: the source's
// own name first, then "stem n.extension" for n = 2 up to a fixed limit, so
// nothing that already exists is ever overwritten.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace files::fileops {

// The most candidate names tried at one placement.
inline constexpr int max_name_attempts = 9999;

// The bytes as UTF-8, with every invalid sequence (each maximal invalid
// subpart) replaced by U+FFFD.
std::string lossy_utf8(std::string_view bytes);

// A path as display text, invalid UTF-8 replaced.
std::string path_text(std::filesystem::path const& path);

struct DestinationName {
    std::string name;
    std::string stem;
    std::optional<std::string> extension;
};

// Splits a (converted) file name: `stem` is everything before the last full
// stop, `extension` what follows it; a name whose only full stop comes first
// (".profile") is all stem.
DestinationName split_name(std::string name);

// Attempt 1 is the name itself; attempt n >= 2 is "stem n" plus ".extension"
// when there is one.
std::string candidate_name(DestinationName const& name, int attempt);

// The last normal component of a path ("a" for "/x/a/" or "/x/a/."), or
// nothing for "/", "" and paths ending in "..".
std::optional<std::filesystem::path> last_component(std::filesystem::path const& path);

// The folder holding the last component ("." for a bare name), or nothing for
// "/" and "".
std::optional<std::filesystem::path> parent_folder(std::filesystem::path const& path);

// Component-wise comparisons that do not touch the file system: trailing
// slashes and "." components are ignored, ".." is kept.
bool same_path(std::filesystem::path const& a, std::filesystem::path const& b);
bool is_within(std::filesystem::path const& inner, std::filesystem::path const& outer);

}
