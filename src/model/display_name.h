#pragma once

// File names for display: raw name bytes decoded as UTF-8 with replacement.

#include <string>
#include <string_view>

namespace files::model {

// Returns `bytes` unchanged when it is valid UTF-8; otherwise every maximal
// ill-formed subsequence becomes one U+FFFD, as Unicode recommends.
std::string display_name(std::string_view bytes);

}
