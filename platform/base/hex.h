#pragma once

// Hexadecimal digits, as the text formats the program reads spell them.

namespace base {

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
