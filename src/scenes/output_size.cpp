#include "scenes/output_size.h"

#include <charconv>
#include <cstdint>

namespace files::scenes {

namespace {

    bool is_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

    std::string_view trimmed(std::string_view text)
    {
        while (!text.empty() && is_space(text.front()))
            text.remove_prefix(1);
        while (!text.empty() && is_space(text.back()))
            text.remove_suffix(1);
        return text;
    }

    std::optional<std::uint32_t> parse_side(std::string_view text)
    {
        text = trimmed(text);
        if (!text.empty() && text.front() == '+')
            text.remove_prefix(1);
        // from_chars would also take a second sign or skip nothing else, but
        // an empty side must fail on its own.
        if (text.empty() || text.front() < '0' || text.front() > '9')
            return std::nullopt;
        std::uint32_t value = 0;
        auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc() || end != text.data() + text.size())
            return std::nullopt;
        return value;
    }

}

std::optional<ui::Size> parse_scene_size(std::string_view text)
{
    auto split = text.find_first_of("xX");
    if (split == std::string_view::npos)
        return std::nullopt;
    auto width = parse_side(text.substr(0, split));
    auto height = parse_side(text.substr(split + 1));
    if (!width || !height)
        return std::nullopt;
    return ui::Size { static_cast<double>(*width), static_cast<double>(*height) };
}

ui::Size scene_output_size(std::optional<std::string> const& size_option)
{
    if (size_option) {
        if (auto size = parse_scene_size(*size_option))
            return *size;
    }
    return fallback_scene_size;
}

}
