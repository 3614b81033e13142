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

}
