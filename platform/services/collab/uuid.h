#pragma once

// A 128-bit identifier (record ids, version ids, cursors) kept as its 16 raw
// bytes and written as lower-case hyphenated text.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace collab {

struct Uuid {
    std::array<std::uint8_t, 16> bytes {};

    bool is_nil() const;
    // "xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx", lower case.
    std::string to_text() const;

    // Parses the hyphenated 36-character form in either case; anything else
    // (braces, missing hyphens, other lengths) gives nothing.
    static std::optional<Uuid> parse(std::string_view text);
    // Exactly 16 raw bytes; any other length gives nothing.
    static std::optional<Uuid> from_bytes(std::string_view raw);

    auto operator<=>(Uuid const&) const = default;
};

}
