#include "base/utf8.h"

#include <cstdint>

namespace base {

namespace {

    constexpr std::string_view replacement = "\xEF\xBF\xBD";

    // The length of the well-formed sequence at `at`, or 0 with `consumed` set
    // to the length of the maximal ill-formed prefix to replace.
    std::size_t valid_sequence_length(std::string_view text, std::size_t at, std::size_t& consumed)
    {
        auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
        std::uint8_t const lead = byte(at);
        std::size_t length = 0;
        std::uint8_t low = 0x80;
        std::uint8_t high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            consumed = 1;
            return 0;
        }
        for (std::size_t k = 1; k < length; ++k) {
            std::uint8_t const lower_bound = k == 1 ? low : 0x80;
            std::uint8_t const upper_bound = k == 1 ? high : 0xBF;
            if (at + k >= text.size() || byte(at + k) < lower_bound || byte(at + k) > upper_bound) {
                consumed = k;
                return 0;
            }
        }
        return length;
    }

}

std::string lossy_utf8(std::string_view bytes)
{
    std::size_t i = 0;
    while (i < bytes.size() && static_cast<std::uint8_t>(bytes[i]) < 0x80)
        ++i;
    if (i == bytes.size())
        return std::string(bytes);

    std::string out(bytes.substr(0, i));
    while (i < bytes.size()) {
        if (static_cast<std::uint8_t>(bytes[i]) < 0x80) {
            out.push_back(bytes[i++]);
            continue;
        }
        std::size_t consumed = 0;
        std::size_t const length = valid_sequence_length(bytes, i, consumed);
        if (length > 0) {
            out.append(bytes.substr(i, length));
            i += length;
        } else {
            out.append(replacement);
            i += consumed;
        }
    }
    return out;
}

std::optional<std::size_t> first_invalid_utf8(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        if (static_cast<std::uint8_t>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        std::size_t consumed = 0;
        std::size_t const length = valid_sequence_length(text, i, consumed);
        if (length == 0)
            return i;
        i += length;
    }
    return std::nullopt;
}

void append_utf8(std::string& out, char32_t code_point)
{
    if (code_point > 0x10FFFF || (code_point >= 0xD800 && code_point <= 0xDFFF))
        code_point = 0xFFFD;
    if (code_point < 0x80) {
        out += static_cast<char>(code_point);
    } else if (code_point < 0x800) {
        out += static_cast<char>(0xC0 | (code_point >> 6));
        out += static_cast<char>(0x80 | (code_point & 0x3F));
    } else if (code_point < 0x10000) {
        out += static_cast<char>(0xE0 | (code_point >> 12));
        out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code_point & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code_point >> 18));
        out += static_cast<char>(0x80 | ((code_point >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code_point & 0x3F));
    }
}

}
