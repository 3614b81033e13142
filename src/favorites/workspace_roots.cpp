#include "favorites/workspace_roots.h"

#include "favorites/path_text.h"

#include <cstdlib>
#include <string_view>
#include <system_error>

namespace files::favorites {

namespace {

    std::optional<std::string_view> roots_variable()
    {
        char const* value = std::getenv(workspace_roots_variable);
        if (!value)
            return std::nullopt;
        return std::string_view(value);
    }

    bool metadata_readable(std::filesystem::path const& path)
    {
        std::error_code error;
        return std::filesystem::exists(std::filesystem::status(path, error));
    }

    std::vector<std::filesystem::path> roots_from_variable(std::string_view value)
    {
        std::vector<std::filesystem::path> roots;
        while (true) {
            auto end = value.find(':');
            std::string_view element = value.substr(0, end);
            if (!element.empty()) {
                std::error_code error;
                auto root = std::filesystem::absolute(std::filesystem::path(element), error);
                if (!error && metadata_readable(root))
                    roots.push_back(std::move(root));
            }
            if (end == std::string_view::npos)
                break;
            value.remove_prefix(end + 1);
        }
        return roots;
    }

    std::vector<std::filesystem::path> shared_root_only(WorkspaceLocations const& locations)
    {
        if (metadata_readable(locations.shared_root))
            return { locations.shared_root };
        return {};
    }

}

std::vector<std::filesystem::path> workspace_roots(
    std::optional<std::filesystem::path> const& home, WorkspaceLocations const& locations)
{
    if (auto value = roots_variable())
        return roots_from_variable(*value);
    auto roots = shared_root_only(locations);
    if (home) {
        auto shared = *home / "Shared";
        bool listed = !roots.empty() && same_path(roots.front(), shared);
        if (metadata_readable(shared) && !listed)
            roots.push_back(std::move(shared));
    }
    return roots;
}

std::vector<std::filesystem::path> workspace_roots_without_home_default(WorkspaceLocations const& locations)
{
    if (auto value = roots_variable())
        return roots_from_variable(*value);
    return shared_root_only(locations);
}

std::optional<std::filesystem::path> root_containing(
    std::filesystem::path const& path, std::vector<std::filesystem::path> const& roots)
{
    for (auto const& root : roots) {
        if (is_within(path, root))
            return root;
    }
    return std::nullopt;
}

Label root_label(std::filesystem::path const& root)
{
    if (auto name = last_name(root))
        return Label::literal(display_text(*name));
    return label_of(PlaceKind::Workspace);
}

std::filesystem::path start_location(std::vector<std::filesystem::path> const& roots,
    std::optional<std::filesystem::path> const& home, WorkspaceLocations const& locations)
{
    if (!roots.empty())
        return roots.front();
    if (!roots_variable() && metadata_readable(locations.workspace_folder))
        return locations.workspace_folder;
    if (home)
        return *home;
    std::error_code error;
    auto current = std::filesystem::current_path(error);
    if (!error && !current.empty())
        return current;
    return "/";
}

}
