#include "favorites/typed_path.h"

#include "favorites/path_text.h"

namespace files::favorites {

std::filesystem::path expand_home(std::string_view text, std::optional<std::filesystem::path> const& home)
{
    if (!home)
        return std::filesystem::path(text);
    if (text == "~")
        return *home;
    if (text.starts_with("~/"))
        return *home / text.substr(2);
    return std::filesystem::path(text);
}

std::filesystem::path resolve_typed_path(
    std::filesystem::path const& base, std::string_view text, std::optional<std::filesystem::path> const& home)
{
    return base / expand_home(text, home);
}

std::string display_with_home(std::filesystem::path const& path, std::optional<std::filesystem::path> const& home)
{
    if (!home || !is_within(path, *home))
        return display_text(path);
    if (same_path(path, *home))
        return "~";
    std::string text = "~";
    auto parts = path_components(path);
    for (auto at = path_components(*home).size(); at < parts.size(); ++at) {
        text += '/';
        text += display_text(parts[at]);
    }
    return text;
}

}
