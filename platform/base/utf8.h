#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace base {

// `bytes` unchanged when they are valid UTF-8; otherwise every maximal
// ill-formed subsequence becomes one U+FFFD, as Unicode recommends. File
// names are shown this way while operations keep the exact bytes.
std::string lossy_utf8(std::string_view bytes);

// The byte offset of the first byte that does not begin a well-formed UTF-8
// sequence (no overlongs, surrogates or values above U+10FFFF), or nothing
// for valid text.
std::optional<std::size_t> first_invalid_utf8(std::string_view text);

// Appends `code_point` encoded as UTF-8; a surrogate or a value above
// U+10FFFF is appended as U+FFFD.
void append_utf8(std::string& out, char32_t code_point);

}
