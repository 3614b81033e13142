#pragma once

#include <string>
#include <string_view>

namespace base {

// `bytes` unchanged when they are valid UTF-8; otherwise every maximal
// ill-formed subsequence becomes one U+FFFD, as Unicode recommends. File
// names are shown this way while operations keep the exact bytes.
std::string lossy_utf8(std::string_view bytes);

}
