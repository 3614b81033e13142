#include "app/zoom_file.h"

#include "app/explorer_state.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <fstream>
#include <limits>
#include <string>

namespace files::app {

int clamp_zoom_level(long long level)
{
    return static_cast<int>(std::clamp<long long>(level, min_zoom_level, max_zoom_level));
}

int parse_zoom_level(std::string_view text)
{
    auto is_space = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; };
    while (!text.empty() && is_space(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && is_space(text.back()))
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    std::int64_t magnitude = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
    if (ec != std::errc() || end != text.data() + text.size())
        return 0;
    auto value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        return 0;
    return clamp_zoom_level(value);
}

int read_zoom_level(std::optional<std::filesystem::path> const& config_folder)
{
    if (!config_folder)
        return 0;
    std::ifstream in(*config_folder / "zoom", std::ios::binary);
    if (!in)
        return 0;
    // The file holds a few characters; anything long is not a level.
    std::string text(64, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (text.size() == 64)
        return 0;
    return parse_zoom_level(text);
}

void write_zoom_level(std::filesystem::path const& config_folder, int level)
{
    std::error_code ec;
    std::filesystem::create_directories(config_folder, ec);
    std::ofstream out(config_folder / "zoom", std::ios::binary | std::ios::trunc);
    out << level;
}

}
