#include "fileops/trash_ops.h"

#include "fileops/name_allocation.h"

#include <algorithm>
#include <set>
#include <system_error>

namespace files::fileops {

namespace fs = std::filesystem;
using services::trash::TrashItem;

std::optional<fs::path> trash_files_folder()
{
    auto trash = services::trash::home_trash_folder();
    if (!trash)
        return std::nullopt;
    return *trash / "files";
}

bool is_in_trash(fs::path const& location)
{
    auto folder = trash_files_folder();
    return folder && same_path(location, *folder);
}

bool is_trashed_item(fs::path const& path)
{
    auto folder = trash_files_folder();
    return folder && is_within(path, *folder) && !same_path(path, *folder);
}

std::optional<std::vector<fs::path>> trash_snapshot()
{
    auto folder = trash_files_folder();
    if (!folder)
        return std::nullopt;
    std::vector<fs::path> entries;
    std::error_code error;
    fs::directory_iterator it(*folder, error);
    if (error == std::errc::no_such_file_or_directory)
        return entries;
    for (fs::directory_iterator end; !error && it != end; it.increment(error))
        entries.push_back(it->path());
    if (error)
        return std::nullopt;
    std::sort(entries.begin(), entries.end());
    return entries;
}

base::Result<std::vector<TrashItem>> find_trash_items(std::vector<fs::path> const& paths)
{
    // An entry stands for the item stored at exactly its path, so an item of
    // the same name in another volume's trash is never touched by mistake.
    std::set<std::string> names;
    for (auto const& path : paths) {
        auto name = last_component(path);
        if (name && lossy_utf8(name->native()) == name->native())
            names.insert(name->native());
    }
    auto items = TRY(services::trash::list_trash());
    std::vector<TrashItem> matched;
    for (auto& item : items) {
        if (!names.contains(item.name))
            continue;
        bool shown = std::any_of(
            paths.begin(), paths.end(), [&](fs::path const& path) { return same_path(path, item.stored_path()); });
        if (shown)
            matched.push_back(std::move(item));
    }
    return matched;
}

base::Result<std::size_t> restore_paths(std::vector<fs::path> const& paths, services::trash::TrashHooks const& hooks)
{
    auto items = TRY(find_trash_items(paths));
    if (!items.empty())
        TRY_VOID(services::trash::restore_items(items, hooks));
    return items.size();
}

base::Result<std::size_t> purge_paths(std::vector<fs::path> const& paths)
{
    auto items = TRY(find_trash_items(paths));
    if (!items.empty())
        TRY_VOID(services::trash::purge_items(items));
    return items.size();
}

base::Result<std::size_t> empty_trash_all()
{
    auto items = TRY(services::trash::list_trash());
    TRY_VOID(services::trash::purge_items(items));
    return items.size();
}

}
