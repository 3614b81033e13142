#include "app/archive_browsing.h"

#include "fileops/archive.h"
#include "model/display_name.h"
#include "model/mime.h"

namespace files::app {

std::optional<base::Result<std::vector<model::Entry>>> list_archive_location(std::filesystem::path const& location)
{
    auto archive = fileops::archive_location(location);
    if (!archive)
        return std::nullopt;
    auto members = fileops::list_archive_folder(archive->archive_path, archive->inner_path);
    if (!members)
        return std::unexpected(members.error());
    std::vector<model::Entry> entries;
    entries.reserve(members->size());
    for (auto const& member : *members) {
        model::Entry entry;
        entry.name = model::display_name(member.name);
        entry.path = member.path.native();
        entry.is_dir = member.is_folder;
        entry.size = member.is_folder ? 0 : member.size;
        entry.mime = std::string(model::mime_for_name(member.name));
        entries.push_back(std::move(entry));
    }
    return entries;
}

}
