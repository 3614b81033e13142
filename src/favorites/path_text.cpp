#include "favorites/path_text.h"

#include "base/utf8.h"

#include <array>
#include <cstdint>
#include <vector>

namespace files::favorites {

namespace {

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

std::string lossy_utf8(std::string_view bytes) { return base::lossy_utf8(bytes); }

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
