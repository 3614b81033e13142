#include "fileops/archive.h"
#include "fileops/archive_names.h"
#include "fileops/archive_reader.h"

#include <cerrno>
#include <map>

#include <sys/stat.h>

namespace files::fileops {

using namespace archive_detail;

bool is_supported_archive(std::filesystem::path const& path)
{
    std::string name = path.filename().string();
    if (name.empty() || !is_valid_utf8(name))
        return false;
    auto extension = name_extension(name);
    if (!extension)
        return false;
    for (char const* accepted : { "zip", "tar", "tgz" }) {
        if (equals_ignoring_ascii_case(*extension, accepted))
            return true;
    }
    if (!equals_ignoring_ascii_case(*extension, "gz"))
        return false;
    auto inner = name_extension(name_stem(name));
    return inner && equals_ignoring_ascii_case(*inner, "tar");
}

std::optional<ArchiveLocation> archive_location(std::filesystem::path const& location)
{
    std::filesystem::path candidate = location;
    while (!candidate.empty()) {
        struct stat status { };
        if (is_supported_archive(candidate) && ::stat(candidate.c_str(), &status) == 0 && S_ISREG(status.st_mode)) {
            auto inner = location.lexically_relative(candidate);
            if (inner == ".")
                inner.clear();
            return ArchiveLocation { candidate, std::move(inner) };
        }
        auto parent = candidate.parent_path();
        if (parent == candidate)
            break;
        candidate = std::move(parent);
    }
    return std::nullopt;
}

base::Result<std::vector<ArchiveIndexEntry>> read_archive_index(std::filesystem::path const& archive_path)
{
    auto reader = TRY(ArchiveReader::open(archive_path));
    std::vector<ArchiveIndexEntry> entries;
    while (auto entry = TRY(reader->next()))
        entries.push_back({ entry->relative_path, entry->declared_size, entry->kind == EntryKind::Folder });
    return entries;
}

namespace {

    struct Child {
        std::uint64_t size { 0 };
        bool is_folder { false };
    };

    void add_child(std::map<std::string, Child>& children, std::string const& name, Child child)
    {
        auto [position, inserted] = children.try_emplace(name, child);
        if (!inserted && (child.is_folder || position->second.is_folder))
            position->second = Child { 0, true };
    }

}

base::Result<std::vector<ArchiveListingEntry>> list_archive_folder(
    std::filesystem::path const& archive_path, std::filesystem::path const& inner_path)
{
    std::vector<std::string> inner;
    if (!inner_path.empty() && inner_path != ".")
        inner = TRY(sanitise_entry_path(inner_path.string()));
    auto index = TRY(read_archive_index(archive_path));

    std::map<std::string, Child> children;
    bool inner_is_folder = inner.empty();
    bool inner_is_file = false;
    for (auto const& entry : index) {
        auto components = TRY(sanitise_entry_path(entry.relative_path));
        if (components.size() < inner.size() || !std::equal(inner.begin(), inner.end(), components.begin()))
            continue;
        if (components.size() == inner.size()) {
            (entry.is_folder ? inner_is_folder : inner_is_file) = true;
            continue;
        }
        inner_is_folder = true;
        bool deeper = components.size() > inner.size() + 1;
        add_child(children, components[inner.size()],
            deeper ? Child { 0, true } : Child { entry.declared_size, entry.is_folder });
    }
    if (!inner_is_folder)
        return base::fail_errno(inner_is_file ? ENOTDIR : ENOENT);

    std::filesystem::path base = archive_path / join_components(inner);
    if (inner.empty())
        base = archive_path;
    std::vector<ArchiveListingEntry> listing;
    listing.reserve(children.size());
    for (auto const& [name, child] : children)
        listing.push_back({ name, base / name, child.size, child.is_folder });
    return listing;
}

}
