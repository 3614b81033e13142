#include "fileops/copy_tree.h"

#include "fileops/detail/transfer_fd.h"
#include "fileops/name_allocation.h"

#include <cerrno>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace files::fileops {

namespace {

    using detail::DirectoryStream;
    using detail::UniqueFd;

    constexpr std::size_t kernel_copy_chunk = std::size_t { 1 } << 30;
    constexpr std::size_t buffer_copy_size = std::size_t { 256 } << 10;
    // Permission bits and the sticky bit; set-id bits are never given to a copy,
    // which is owned by whoever runs the copy.
    constexpr mode_t copied_mode_bits = 01777;

    // State shared by every entry of one copy: the read-write buffer is allocated
    // once, and once the kernel refuses in-kernel copies between these two file
    // systems it is not asked again.
    struct CopyContext {
        bool kernel_copy { true };
        std::vector<char> buffer;
    };

    base::Result<void> copy_entry(
        CopyContext&, int source_parent, char const* source_name, int target_parent, char const* target_name);

    bool kernel_copy_unsupported(int code)
    {
        return code == EXDEV || code == EINVAL || code == ENOSYS || code == EOPNOTSUPP;
    }

    base::Result<void> write_all(int fd, char const* data, std::size_t size)
    {
        while (size > 0) {
            auto written = ::write(fd, data, size);
            if (written < 0) {
                if (errno == EINTR)
                    continue;
                return base::fail_last_errno();
            }
            data += written;
            size -= static_cast<std::size_t>(written);
        }
        return {};
    }

    base::Result<void> copy_with_buffer(CopyContext& context, int in, int out)
    {
        if (context.buffer.empty())
            context.buffer.resize(buffer_copy_size);
        while (true) {
            auto count = ::read(in, context.buffer.data(), context.buffer.size());
            if (count == 0)
                return {};
            if (count < 0) {
                if (errno == EINTR)
                    continue;
                return base::fail_last_errno();
            }
            TRY_VOID(write_all(out, context.buffer.data(), static_cast<std::size_t>(count)));
        }
    }

    // Copies from the current offsets to the end. The in-kernel copy may return
    // short counts and is looped; when it reports end of file the read loop
    // confirms it, which also covers files whose size the kernel does not know.
    base::Result<void> copy_contents(CopyContext& context, int in, int out, off_t size)
    {
        while (context.kernel_copy && size > 0) {
            auto copied = ::copy_file_range(in, nullptr, out, nullptr, kernel_copy_chunk, 0);
            if (copied > 0)
                continue;
            if (copied == 0)
                break;
            if (errno == EINTR)
                continue;
            if (!kernel_copy_unsupported(errno))
                return base::fail_last_errno();
            context.kernel_copy = false;
        }
        return copy_with_buffer(context, in, out);
    }

    base::Result<void> copy_link(
        int source_parent, char const* source_name, off_t size_hint, int target_parent, char const* target_name)
    {
        std::string text(static_cast<std::size_t>(size_hint > 0 ? size_hint : 64) + 1, '\0');
        while (true) {
            auto length = ::readlinkat(source_parent, source_name, text.data(), text.size());
            if (length < 0)
                return base::fail_last_errno();
            if (static_cast<std::size_t>(length) < text.size()) {
                text.resize(static_cast<std::size_t>(length));
                break;
            }
            text.resize(text.size() * 2);
        }
        if (::symlinkat(text.c_str(), target_parent, target_name) != 0)
            return base::fail_last_errno();
        return {};
    }

    base::Result<void> copy_file(
        CopyContext& context, int source, struct stat const& status, int target_parent, char const* target_name)
    {
        UniqueFd target(
            ::openat(target_parent, target_name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
        if (!target.valid())
            return base::fail_last_errno();
        ::posix_fadvise(source, 0, 0, POSIX_FADV_SEQUENTIAL);
        TRY_VOID(copy_contents(context, source, target.get(), status.st_size));
        if (::fchmod(target.get(), status.st_mode & copied_mode_bits) != 0)
            return base::fail_last_errno();
        if (target.close() != 0)
            return base::fail_last_errno();
        return {};
    }

    base::Result<void> copy_folder(
        CopyContext& context, int source, struct stat const& status, int target_parent, char const* target_name)
    {
        if (::mkdirat(target_parent, target_name, 0777) != 0)
            return base::fail_last_errno();
        UniqueFd target(::openat(target_parent, target_name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!target.valid())
            return base::fail_last_errno();
        DirectoryStream stream(source);
        if (!stream.get())
            return base::fail_last_errno();
        while (true) {
            errno = 0;
            auto* entry = ::readdir(stream.get());
            if (!entry)
                break;
            if (detail::is_real_entry(entry->d_name))
                TRY_VOID(copy_entry(context, source, entry->d_name, target.get(), entry->d_name));
        }
        if (errno != 0)
            return base::fail_last_errno();
        // Only now, so that a read-only folder is filled before it becomes read-only.
        if (::fchmod(target.get(), status.st_mode & copied_mode_bits) != 0)
            return base::fail_last_errno();
        return {};
    }

    bool same_object(struct stat const& a, struct stat const& b)
    {
        return a.st_dev == b.st_dev && a.st_ino == b.st_ino && (a.st_mode & S_IFMT) == (b.st_mode & S_IFMT);
    }

    base::Result<void> copy_entry(
        CopyContext& context, int source_parent, char const* source_name, int target_parent, char const* target_name)
    {
        struct stat first { };
        if (::fstatat(source_parent, source_name, &first, AT_SYMLINK_NOFOLLOW) != 0)
            return base::fail_last_errno();
        if (S_ISLNK(first.st_mode))
            return copy_link(source_parent, source_name, first.st_size, target_parent, target_name);
        // Pipes, sockets and devices are refused before they are opened: opening
        // a device can have effects of its own.
        if (!S_ISREG(first.st_mode) && !S_ISDIR(first.st_mode))
            return base::fail(std::string(source_type_changed_text));
        // O_NOFOLLOW refuses an entry swapped for a link; O_NONBLOCK keeps an
        // entry swapped for a pipe from blocking the open.
        UniqueFd source(::openat(source_parent, source_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        if (!source.valid())
            return errno == ELOOP || errno == ENXIO ? base::fail(std::string(source_type_changed_text))
                                                    : base::fail_last_errno();
        struct stat opened { };
        if (::fstat(source.get(), &opened) != 0)
            return base::fail_last_errno();
        if (!same_object(first, opened))
            return base::fail(std::string(source_type_changed_text));
        if (S_ISREG(opened.st_mode))
            return copy_file(context, source.get(), opened, target_parent, target_name);
        return copy_folder(context, source.get(), opened, target_parent, target_name);
    }

    base::Result<UniqueFd> open_folder(std::filesystem::path const& path)
    {
        UniqueFd folder(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!folder.valid())
            return base::fail_last_errno();
        return folder;
    }

}

base::Result<void> copy_tree(std::filesystem::path const& source, std::filesystem::path const& target)
{
    auto source_parent = parent_folder(source);
    if (!source_parent)
        return base::fail(std::string(source_no_parent_text));
    auto source_name = last_component(source);
    if (!source_name)
        return base::fail(std::string(source_no_file_name_text));
    auto target_parent = parent_folder(target);
    auto target_name = last_component(target);
    if (!target_parent || !target_name)
        return base::fail_errno(EINVAL);
    auto source_folder = TRY(open_folder(*source_parent));
    auto target_folder = TRY(open_folder(*target_parent));
    CopyContext context;
    return copy_entry(context, source_folder.get(), source_name->c_str(), target_folder.get(), target_name->c_str());
}

}
