#include "fileops/name_allocation.h"

#include "base/utf8.h"

#include <algorithm>
#include <vector>

namespace files::fileops {

namespace {

    std::vector<std::string> components(std::filesystem::path const& path)
    {
        std::vector<std::string> parts;
        for (auto const& part : path) {
            auto text = part.native();
            if (text.empty() || text == ".")
                continue;
            parts.push_back(std::move(text));
        }
        return parts;
    }

}

std::string lossy_utf8(std::string_view bytes) { return base::lossy_utf8(bytes); }

std::string path_text(std::filesystem::path const& path) { return lossy_utf8(path.native()); }

DestinationName split_name(std::string name)
{
    DestinationName result;
    auto dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0) {
        result.stem = name;
    } else {
        result.stem = name.substr(0, dot);
        result.extension = name.substr(dot + 1);
    }
    result.name = std::move(name);
    return result;
}

std::string candidate_name(DestinationName const& name, int attempt)
{
    if (attempt <= 1)
        return name.name;
    auto candidate = name.stem + " " + std::to_string(attempt);
    if (name.extension)
        candidate += "." + *name.extension;
    return candidate;
}

std::optional<std::filesystem::path> last_component(std::filesystem::path const& path)
{
    auto parts = components(path);
    if (parts.empty() || parts.back() == "/" || parts.back() == "..")
        return std::nullopt;
    return std::filesystem::path(parts.back());
}

std::optional<std::filesystem::path> parent_folder(std::filesystem::path const& path)
{
    auto parts = components(path);
    if (parts.empty() || (parts.size() == 1 && parts.front() == "/"))
        return std::nullopt;
    parts.pop_back();
    if (parts.empty())
        return std::filesystem::path(".");
    std::filesystem::path parent;
    for (auto const& part : parts)
        parent /= part;
    return parent;
}

bool same_path(std::filesystem::path const& a, std::filesystem::path const& b)
{
    return components(a) == components(b);
}

bool is_within(std::filesystem::path const& inner, std::filesystem::path const& outer)
{
    auto inner_parts = components(inner);
    auto outer_parts = components(outer);
    if (outer_parts.size() > inner_parts.size())
        return false;
    return std::equal(outer_parts.begin(), outer_parts.end(), inner_parts.begin());
}

}
