#pragma once

// Extended attributes of one item, never following a symbolic link: the
// attributes of a link are the link's own. Paths are the item's path bytes (a
// std::filesystem::path converts to them).

#include "base/result.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace files::model {

// The largest value Linux stores in one attribute.
inline constexpr std::size_t max_attribute_size = 65536;

// The value of attribute `name`, or nothing when it does not exist, cannot be
// read, or is longer than `max_bytes`. A longer value costs one bounded read
// and is never copied whole.
std::optional<std::string> read_attribute(
    std::string const& path, char const* name, std::size_t max_bytes = max_attribute_size);
// The same through an open descriptor.
std::optional<std::string> read_attribute(int fd, char const* name, std::size_t max_bytes = max_attribute_size);

// An item named relative to an open folder. Reading relative to the folder
// saves walking the whole path for every attribute; `path` serves kernels
// that cannot do that.
struct ItemInFolder {
    int folder_fd;
    char const* name;
    std::string const& path;
};
std::optional<std::string> read_attribute(
    ItemInFolder const& item, char const* name, std::size_t max_bytes = max_attribute_size);

// read_attribute without the copy: the value stays in a buffer of the
// calling thread, and the view is valid until that thread reads another
// attribute. For values that are decoded at once.
std::optional<std::string_view> read_attribute_view(
    ItemInFolder const& item, char const* name, std::size_t max_bytes = max_attribute_size);
std::optional<std::string_view> read_attribute_view(
    std::string const& path, char const* name, std::size_t max_bytes = max_attribute_size);

// True when the item has attribute `name`, whatever its value.
bool has_attribute(std::string const& path, char const* name);

// Sets attribute `name` (creating or replacing it). Fails with the OS error.
[[nodiscard]] base::Result<void> write_attribute(std::string const& path, char const* name, std::string_view value);
[[nodiscard]] base::Result<void> write_attribute(int fd, char const* name, std::string_view value);

}
