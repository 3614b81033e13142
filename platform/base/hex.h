#pragma once

// Hexadecimal digits, as the text formats the program reads and writes
// spell them.

#include <cstdint>
#include <span>
#include <string>

namespace base {

// `bytes` as lower-case hexadecimal, two digits per byte.
inline std::string hex_text(std::span<std::uint8_t const> bytes)
{
    static constexpr char digits[] = "0123456789abcdef";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (std::uint8_t byte : bytes) {
        text.push_back(digits[byte >> 4]);
        text.push_back(digits[byte & 0x0F]);
    }
    return text;
}

// The value of a hexadecimal digit in either case, or -1 for any other byte.
constexpr int hex_value(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

}
