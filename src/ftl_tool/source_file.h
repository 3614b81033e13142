#pragma once

// Reading a catalogue file for the translator's tool: bounded before it is
// read in full, and checked to be UTF-8 before anything parses it.

#include "base/result.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace files::ftl_tool {

// Catalogue files above this size are refused unread.
inline constexpr std::size_t max_resource_bytes = 1024 * 1024;

// The byte offset of the first byte that does not belong to well-formed
// UTF-8 (overlong forms, surrogates and values above U+10FFFF included), or
// nothing when the whole text is well-formed.
std::optional<std::size_t> first_invalid_utf8(std::string_view text);

// The whole text of a catalogue file. Fails with the operating system's
// error for a file that cannot be opened or read, and with a fixed text for
// a file over max_resource_bytes or one that is not UTF-8. Every error text
// starts with the path as given.
[[nodiscard]] base::Result<std::string> read_resource_file(std::string const& path);

}
