#pragma once

// Small file-system steps of the fixtures. Each ignores its own failure, as a
// scene renders whatever exists.

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace files::scenes::detail {

// The modification time every fixture item gets, moved back by `step`
// steps of a little over a day so that listings show distinct dates.
std::int64_t fixture_time(int step);

// Removes whatever is at `path` and creates an empty folder there.
void reset_folder(std::filesystem::path const& path);
void make_folder(std::filesystem::path const& path);
void write_file(std::filesystem::path const& path, std::string_view bytes);
void set_attribute(std::filesystem::path const& path, char const* name, std::string_view value);
void set_modified(std::filesystem::path const& path, std::int64_t unix_seconds);

}
