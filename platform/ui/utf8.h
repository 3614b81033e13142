#pragma once

#include <cstddef>
#include <string_view>

namespace ui {

// True when `text` is well-formed UTF-8 (no overlongs, no surrogates, nothing
// above U+10FFFF).
bool is_valid_utf8(std::string_view text);

// The largest prefix length not above `max_bytes` that ends on a character
// boundary of valid UTF-8 text.
std::size_t utf8_prefix_length(std::string_view text, std::size_t max_bytes);

}
