#include "model/listing.h"

#include "model/display_name.h"
#include "model/mime.h"
#include "model/workspace_metadata.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace files::model {

namespace {

    struct DirCloser {
        void operator()(DIR* dir) const { closedir(dir); }
    };

    void read_status(int folder_fd, char const* name, Entry& entry)
    {
        struct stat status { };
        if (fstatat(folder_fd, name, &status, AT_SYMLINK_NOFOLLOW) != 0)
            return;
        entry.is_dir = S_ISDIR(status.st_mode);
        entry.size = static_cast<std::uint64_t>(status.st_size);
        entry.modified = to_local_date_time(status.st_mtim.tv_sec, static_cast<std::uint32_t>(status.st_mtim.tv_nsec));
    }

    bool is_dot_or_dot_dot(char const* name)
    {
        return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
    }

    // Skips empty components, which repeated or trailing separators produce.
    void skip_empty(std::filesystem::path::const_iterator& it, std::filesystem::path::const_iterator end)
    {
        while (it != end && it->empty())
            ++it;
    }

    bool is_same_or_below(std::filesystem::path const& path, std::filesystem::path const& root)
    {
        if (root.empty())
            return false;
        auto ip = path.begin();
        auto ir = root.begin();
        while (true) {
            skip_empty(ip, path.end());
            skip_empty(ir, root.end());
            if (ir == root.end())
                return true;
            if (ip == path.end() || ip->native() != ir->native())
                return false;
            ++ip;
            ++ir;
        }
    }

}

base::Result<std::vector<Entry>> list_directory(std::filesystem::path const& folder, WorkspaceMetadata metadata)
{
    std::unique_ptr<DIR, DirCloser> dir(opendir(folder.c_str()));
    if (!dir)
        return base::fail_last_errno();
    int const folder_fd = dirfd(dir.get());

    std::string prefix = folder.native();
    if (prefix.empty() || prefix.back() != '/')
        prefix.push_back('/');

    std::vector<Entry> entries;
    while (true) {
        errno = 0;
        dirent const* item = readdir(dir.get());
        // A failing step ends the enumeration: readdir cannot resume past it,
        // and what was read so far is still a usable listing.
        if (!item)
            break;
        if (is_dot_or_dot_dot(item->d_name))
            continue;
        std::string_view const raw_name(item->d_name);
        Entry& entry = entries.emplace_back();
        std::string full_path;
        full_path.reserve(prefix.size() + raw_name.size());
        full_path.append(prefix).append(raw_name);
        entry.path = std::move(full_path);
        entry.name = display_name(raw_name);
        entry.mime = mime_for_name(raw_name);
        read_status(folder_fd, item->d_name, entry);
        switch (metadata) {
        case WorkspaceMetadata::Read:
            read_workspace_fields(ItemInFolder { folder_fd, item->d_name, entry.path }, entry);
            break;
        case WorkspaceMetadata::Skip:
            break;
        }
    }
    return entries;
}

bool is_inside_roots(std::filesystem::path const& path, std::span<std::filesystem::path const> roots)
{
    return std::any_of(roots.begin(), roots.end(), [&](auto const& root) { return is_same_or_below(path, root); });
}

base::Result<std::vector<Entry>> list_location(
    std::filesystem::path const& folder, std::span<std::filesystem::path const> workspace_roots)
{
    auto const metadata = is_inside_roots(folder, workspace_roots) ? WorkspaceMetadata::Read : WorkspaceMetadata::Skip;
    return list_directory(folder, metadata);
}

void hide_dot_entries(std::vector<Entry>& entries)
{
    std::erase_if(entries, [](Entry const& entry) { return entry.is_hidden(); });
}

}
