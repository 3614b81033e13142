#include "ui/utf8.h"

#include <cstdint>

namespace ui {

bool is_valid_utf8(std::string_view text)
{
    std::size_t i = 0;
    auto const n = text.size();
    while (i < n) {
        auto c = static_cast<std::uint8_t>(text[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        std::uint32_t code = 0;
        if ((c & 0xE0) == 0xC0) {
            length = 2;
            code = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            length = 3;
            code = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            length = 4;
            code = c & 0x07;
        } else {
            return false;
        }
        if (i + length > n)
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            auto cc = static_cast<std::uint8_t>(text[i + k]);
            if ((cc & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (cc & 0x3F);
        }
        if ((length == 2 && code < 0x80) || (length == 3 && code < 0x800) || (length == 4 && code < 0x10000))
            return false;
        if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

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
