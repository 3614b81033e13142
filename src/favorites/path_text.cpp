#include "favorites/path_text.h"

#include <array>
#include <cstdint>
#include <vector>

namespace files::favorites {

namespace {

    constexpr std::string_view replacement_character = "\xEF\xBF\xBD";

    bool is_continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

    // For a lead byte: the sequence length and the allowed range of the second
    // byte, which excludes overlong forms, surrogates and values above U+10FFFF.
    struct LeadRule {
        std::size_t length;
        unsigned char second_low;
        unsigned char second_high;
    };

    std::optional<LeadRule> lead_rule(unsigned char byte)
    {
        if (byte >= 0xC2 && byte <= 0xDF)
            return LeadRule { 2, 0x80, 0xBF };
        if (byte == 0xE0)
            return LeadRule { 3, 0xA0, 0xBF };
        if (byte == 0xED)
            return LeadRule { 3, 0x80, 0x9F };
        if (byte >= 0xE1 && byte <= 0xEF)
            return LeadRule { 3, 0x80, 0xBF };
        if (byte == 0xF0)
            return LeadRule { 4, 0x90, 0xBF };
        if (byte >= 0xF1 && byte <= 0xF3)
            return LeadRule { 4, 0x80, 0xBF };
        if (byte == 0xF4)
            return LeadRule { 4, 0x80, 0x8F };
        return std::nullopt;
    }

    // The length of the well-formed sequence at `at`, or the length of the
    // ill-formed prefix to replace as a negative number.
    std::ptrdiff_t sequence_at(std::string_view bytes, std::size_t at)
    {
        auto lead = static_cast<unsigned char>(bytes[at]);
        if (lead < 0x80)
            return 1;
        auto rule = lead_rule(lead);
        if (!rule)
            return -1;
        std::size_t used = 1;
        while (used < rule->length) {
            if (at + used >= bytes.size())
                return -static_cast<std::ptrdiff_t>(used);
            auto byte = static_cast<unsigned char>(bytes[at + used]);
            bool fits = used == 1 ? byte >= rule->second_low && byte <= rule->second_high : is_continuation(byte);
            if (!fits)
                return -static_cast<std::ptrdiff_t>(used);
            ++used;
        }
        return static_cast<std::ptrdiff_t>(used);
    }

    // The UTF-8 forms of the White_Space characters.
    constexpr std::array<std::string_view, 25> white_space {
        "\t",
        "\n",
        "\v",
        "\f",
        "\r",
        " ",
        "\xC2\x85",
        "\xC2\xA0",
        "\xE1\x9A\x80",
        "\xE2\x80\x80",
        "\xE2\x80\x81",
        "\xE2\x80\x82",
        "\xE2\x80\x83",
        "\xE2\x80\x84",
        "\xE2\x80\x85",
        "\xE2\x80\x86",
        "\xE2\x80\x87",
        "\xE2\x80\x88",
        "\xE2\x80\x89",
        "\xE2\x80\x8A",
        "\xE2\x80\xA8",
        "\xE2\x80\xA9",
        "\xE2\x80\xAF",
        "\xE2\x81\x9F",
        "\xE3\x80\x80",
    };

    bool strip_one_prefix(std::string_view& text)
    {
        for (auto space : white_space) {
            if (text.starts_with(space)) {
                text.remove_prefix(space.size());
                return true;
            }
        }
        return false;
    }

    bool strip_one_suffix(std::string_view& text)
    {
        for (auto space : white_space) {
            if (text.ends_with(space)) {
                text.remove_suffix(space.size());
                return true;
            }
        }
        return false;
    }

}

std::string lossy_utf8(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size());
    std::size_t at = 0;
    while (at < bytes.size()) {
        auto length = sequence_at(bytes, at);
        if (length > 0) {
            text.append(bytes.substr(at, static_cast<std::size_t>(length)));
            at += static_cast<std::size_t>(length);
        } else {
            text.append(replacement_character);
            at += static_cast<std::size_t>(-length);
        }
    }
    return text;
}

std::vector<std::filesystem::path> path_components(std::filesystem::path const& path)
{
    std::vector<std::filesystem::path> parts;
    for (auto const& part : path) {
        if (part.empty() || part == ".")
            continue;
        parts.push_back(part);
    }
    return parts;
}

std::string display_text(std::filesystem::path const& path) { return lossy_utf8(path.native()); }

bool same_path(std::filesystem::path const& a, std::filesystem::path const& b)
{
    return path_components(a) == path_components(b);
}

bool is_within(std::filesystem::path const& path, std::filesystem::path const& folder)
{
    auto inner = path_components(path);
    auto outer = path_components(folder);
    if (outer.size() > inner.size())
        return false;
    for (std::size_t i = 0; i < outer.size(); ++i) {
        if (inner[i] != outer[i])
            return false;
    }
    return true;
}

std::optional<std::filesystem::path> last_name(std::filesystem::path const& path)
{
    auto parts = path_components(path);
    if (parts.empty())
        return std::nullopt;
    auto const& last = parts.back();
    if (last == ".." || last == path.root_directory())
        return std::nullopt;
    return last;
}

std::string_view trim_white_space(std::string_view text)
{
    while (strip_one_prefix(text)) { }
    while (strip_one_suffix(text)) { }
    return text;
}

}
