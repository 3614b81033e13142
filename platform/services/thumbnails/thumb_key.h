#pragma once

// The key under which a thumbnail is cached in memory and on disk.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace services {

// A stable, file-name-safe key: "c-" and the 64 hexadecimal digits of a
// content digest, or "p-" and the SHA-256 of a path with its size and
// modification time, so a changed file gets a new key.
class ThumbKey {
public:
    // For content without a content digest. `modified_seconds` absent means
    // the time is unknown; it still gives a distinct, stable key.
    static ThumbKey of_path_meta(std::string_view path, std::uint64_t size,
        std::optional<std::int64_t> modified_seconds, std::uint32_t modified_nanoseconds = 0);
    // For content whose digest the file system publishes.
    static ThumbKey of_content_hash(std::span<std::uint8_t const, 32> digest);

    std::string const& text() const { return m_text; }
    bool operator==(ThumbKey const&) const = default;

private:
    explicit ThumbKey(std::string text)
        : m_text(std::move(text))
    {
    }
    std::string m_text;
};

// A small category index (0 to category_count - 1) by the path's extension,
// used to tint placeholder tiles. Unknown and missing extensions give
// category_other.
inline constexpr std::uint8_t category_count = 13;
inline constexpr std::uint8_t category_other = 12;
inline constexpr std::uint8_t image_category = 1;
std::uint8_t category_for_path(std::string_view path);

}

template<> struct std::hash<services::ThumbKey> {
    std::size_t operator()(services::ThumbKey const& key) const noexcept
    {
        return std::hash<std::string> {}(key.text());
    }
};
