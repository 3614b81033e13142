#include "services/collab/uuid.h"

#include "base/hex.h"

#include <algorithm>

namespace collab {

namespace {

    constexpr char hex_digits[] = "0123456789abcdef";

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
    if (text[8] != '-' || text[13] != '-' || text[18] != '-' || text[23] != '-')
        return std::nullopt;
    // Where each byte's two digits begin.
    static constexpr std::uint8_t pairs[16] = { 0, 2, 4, 6, 9, 11, 14, 16, 19, 21, 24, 26, 28, 30, 32, 34 };
    Uuid uuid;
    for (std::size_t i = 0; i < 16; ++i) {
        int const high = base::hex_value(text[pairs[i]]);
        int const low = base::hex_value(text[pairs[i] + 1U]);
        if ((high | low) < 0)
            return std::nullopt;
        uuid.bytes[i] = static_cast<std::uint8_t>(high << 4 | low);
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
