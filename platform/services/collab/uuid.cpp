#include "services/collab/uuid.h"

#include <algorithm>

namespace collab {

namespace {

    constexpr char hex_digits[] = "0123456789abcdef";

    int hex_value(char c)
    {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    bool is_hyphen_position(std::size_t index) { return index == 8 || index == 13 || index == 18 || index == 23; }

}

bool Uuid::is_nil() const
{
    return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; });
}

std::string Uuid::to_text() const
{
    std::string text;
    text.reserve(36);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10)
            text.push_back('-');
        text.push_back(hex_digits[bytes[i] >> 4]);
        text.push_back(hex_digits[bytes[i] & 0x0F]);
    }
    return text;
}

std::optional<Uuid> Uuid::parse(std::string_view text)
{
    if (text.size() != 36)
        return std::nullopt;
    Uuid uuid;
    std::size_t nibble = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (is_hyphen_position(i)) {
            if (text[i] != '-')
                return std::nullopt;
            continue;
        }
        int value = hex_value(text[i]);
        if (value < 0)
            return std::nullopt;
        auto& byte = uuid.bytes[nibble / 2];
        byte = static_cast<std::uint8_t>(nibble % 2 == 0 ? value << 4 : byte | value);
        ++nibble;
    }
    return uuid;
}

std::optional<Uuid> Uuid::from_bytes(std::string_view raw)
{
    if (raw.size() != 16)
        return std::nullopt;
    Uuid uuid;
    std::copy(raw.begin(), raw.end(), uuid.bytes.begin());
    return uuid;
}

}
