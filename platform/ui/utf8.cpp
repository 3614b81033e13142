#include "ui/utf8.h"

#include "base/utf8.h"

#include <cstdint>

namespace ui {

bool is_valid_utf8(std::string_view text) { return !base::first_invalid_utf8(text).has_value(); }

std::size_t utf8_prefix_length(std::string_view text, std::size_t max_bytes)
{
    if (text.size() <= max_bytes)
        return text.size();
    auto cut = max_bytes;
    // Step back over continuation bytes so the cut lands before a lead byte.
    while (cut > 0 && (static_cast<std::uint8_t>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return cut;
}

}
