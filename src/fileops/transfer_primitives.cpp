#include "fileops/transfer_primitives.h"

#include "fileops/detail/transfer_fd.h"
#include "fileops/name_allocation.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>

namespace files::fileops {

namespace {

    using detail::DirectoryStream;
    using detail::UniqueFd;

    bool holds_nul(std::filesystem::path const& path) { return path.native().find('\0') != std::string::npos; }

    // Whether folders are made writable before they are emptied: only for trees
    // this process created itself, whose read-only folders are copies.
    enum class Ownership {
        Shared,
        Private,
    };

    base::Result<void> remove_tree_at(int parent_fd, char const* name, Ownership);

    // Removes one entry of an open folder; a folder is emptied first. An entry
    // that is not (or no longer) a folder is unlinked, never descended into.
    base::Result<void> remove_entry_at(int parent_fd, char const* name, unsigned char type, Ownership ownership)
    {
        if (type != DT_DIR) {
            if (::unlinkat(parent_fd, name, 0) == 0)
                return {};
            if (errno != EISDIR)
                return base::fail_last_errno();
        }
        return remove_tree_at(parent_fd, name, ownership);
    }

    base::Result<void> remove_tree_at(int parent_fd, char const* name, Ownership ownership)
    {
        UniqueFd folder(::openat(parent_fd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!folder.valid()) {
            // Swapped for a link or a file since it was inspected: remove that.
            if ((errno == ENOTDIR || errno == ELOOP) && ::unlinkat(parent_fd, name, 0) == 0)
                return {};
            return base::fail_last_errno();
        }
        if (ownership == Ownership::Private)
            ::fchmod(folder.get(), 0700);
        DirectoryStream stream(folder.get());
        if (!stream.get())
            return base::fail_last_errno();
        while (true) {
            errno = 0;
            auto* entry = ::readdir(stream.get());
            if (!entry)
                break;
            if (detail::is_real_entry(entry->d_name))
                TRY_VOID(remove_entry_at(folder.get(), entry->d_name, entry->d_type, ownership));
        }
        if (errno != 0)
            return base::fail_last_errno();
        if (::unlinkat(parent_fd, name, AT_REMOVEDIR) != 0)
            return base::fail_last_errno();
        return {};
    }

    base::Result<void> remove_path_owned(std::filesystem::path const& path, Ownership ownership)
    {
        if (holds_nul(path))
            return base::fail_errno(EINVAL);
        struct stat status { };
        if (::lstat(path.c_str(), &status) != 0)
            return errno == ENOENT ? base::Result<void> {} : base::fail_last_errno();
        if (!S_ISDIR(status.st_mode)) {
            if (::unlink(path.c_str()) != 0 && errno != ENOENT)
                return base::fail_last_errno();
            return {};
        }
        auto parent = parent_folder(path);
        auto name = last_component(path);
        if (!parent || !name)
            return base::fail_errno(EINVAL);
        UniqueFd parent_fd(::open(parent->c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!parent_fd.valid())
            return base::fail_last_errno();
        return remove_tree_at(parent_fd.get(), name->c_str(), ownership);
    }

}

base::Result<bool> destination_available(std::filesystem::path const& path, MessageResolver const& resolve)
{
    struct stat status { };
    int code = EINVAL;
    if (!holds_nul(path)) {
        if (::lstat(path.c_str(), &status) == 0)
            return false;
        if (errno == ENOENT)
            return true;
        code = errno;
    }
    return base::fail(resolve(Message { "files-destination-inspect-failed",
        { { "path", path_text(path) }, { "error", std::string(std::strerror(code)) } } }));
}

base::Result<void> rename_no_replace(std::filesystem::path const& from, std::filesystem::path const& to)
{
    if (holds_nul(from) || holds_nul(to))
        return base::fail_errno(EINVAL);
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0)
        return base::fail_last_errno();
    return {};
}

base::Result<void> remove_path(std::filesystem::path const& path) { return remove_path_owned(path, Ownership::Shared); }

base::Result<void> remove_private_path(std::filesystem::path const& path)
{
    return remove_path_owned(path, Ownership::Private);
}

}
