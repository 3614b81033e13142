#include "model/listing.h"

#include "base/unique_fd.h"
#include "model/display_name.h"
#include "model/mime.h"
#include "model/workspace_metadata.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <exception>
#include <memory>
#include <optional>
#include <span>
#include <system_error>
#include <thread>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace files::model {

namespace {

    struct DirCloser {
        void operator()(DIR* dir) const { closedir(dir); }
    };

    // The item's type bits, or nothing when its status cannot be read.
    std::optional<mode_t> read_status(int folder_fd, char const* name, Entry& entry)
    {
        struct stat status { };
        if (fstatat(folder_fd, name, &status, AT_SYMLINK_NOFOLLOW) != 0)
            return std::nullopt;
        entry.is_dir = S_ISDIR(status.st_mode);
        entry.size = static_cast<std::uint64_t>(status.st_size);
        entry.modified = to_local_date_time(status.st_mtim.tv_sec, static_cast<std::uint32_t>(status.st_mtim.tv_nsec));
        return status.st_mode & S_IFMT;
    }

    // The kernel keeps user attributes only on regular files and folders; a
    // link, device, socket or pipe answers every read with "no data".
    bool may_carry_user_attributes(std::optional<mode_t> type) { return !type || *type == S_IFREG || *type == S_IFDIR; }

    void describe(Entry& entry, std::string_view raw_name)
    {
        entry.name = display_name(raw_name);
        entry.mime = mime_for_name(raw_name);
    }

    // Inside a workspace an item costs a status and seven attribute reads,
    // each a system call that waits on the file system (on the synchronising
    // file system, on its daemon), so large folders spread their items over
    // a few threads, also on fewer cores. Small folders are not worth a
    // thread.
    constexpr std::size_t min_items_per_thread = 256;
    constexpr std::size_t max_threads = 4;
    constexpr std::size_t items_per_claim = 64;

    std::size_t reader_threads(std::size_t items)
    {
        return std::clamp<std::size_t>(items / min_items_per_thread, 1, max_threads);
    }

    // Describes every entry and reads its status and workspace fields. The
    // entries' paths are the folder's prefix followed by the name, so the
    // name is a suffix of the path, relative to the open folder.
    void read_workspace_items(int folder_fd, std::size_t name_offset, std::span<Entry> entries)
    {
        auto read_item = [&](int fd, Entry& entry) {
            char const* name = entry.path.c_str() + name_offset;
            describe(entry, name);
            if (may_carry_user_attributes(read_status(fd, name, entry)))
                read_workspace_fields(ItemInFolder { fd, name, entry.path }, entry);
        };
        // Threads claim runs of entries until none are left; an exception
        // (only allocation can throw) is handed to the calling thread.
        std::atomic<std::size_t> next { 0 };
        std::exception_ptr failure;
        std::atomic<bool> failed { false };
        auto work = [&](int fd) {
            try {
                while (!failed.load(std::memory_order_relaxed)) {
                    std::size_t const begin = next.fetch_add(items_per_claim, std::memory_order_relaxed);
                    if (begin >= entries.size())
                        return;
                    std::size_t const end = std::min(begin + items_per_claim, entries.size());
                    for (std::size_t i = begin; i < end; ++i)
                        read_item(fd, entries[i]);
                }
            } catch (...) {
                if (!failed.exchange(true))
                    failure = std::current_exception();
            }
        };
        // Each helper reads through a descriptor of its own: the kernel counts
        // every use of a descriptor shared between threads on the one open
        // file, and that count would travel between the cores for each read.
        auto help = [&] {
            base::UniqueFd own(openat(folder_fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
            work(own.valid() ? own.get() : folder_fd);
        };
        std::vector<std::jthread> helpers;
        std::size_t const threads = reader_threads(entries.size());
        try {
            for (std::size_t i = 1; i < threads; ++i)
                helpers.emplace_back(help);
        } catch (std::system_error const&) {
            // Without more threads the calling one reads everything.
        }
        work(folder_fd);
        helpers.clear();
        if (failure)
            std::rethrow_exception(failure);
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
        switch (metadata) {
        case WorkspaceMetadata::Read:
            // Described below, together with the attributes.
            break;
        case WorkspaceMetadata::Skip:
            describe(entry, raw_name);
            read_status(folder_fd, item->d_name, entry);
            break;
        }
    }
    switch (metadata) {
    case WorkspaceMetadata::Read:
        read_workspace_items(folder_fd, prefix.size(), entries);
        break;
    case WorkspaceMetadata::Skip:
        break;
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
