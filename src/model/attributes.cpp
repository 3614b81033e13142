#include "model/attributes.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <vector>

#include <fcntl.h>
#include <linux/types.h>
#include <sys/syscall.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace files::model {

namespace {

    // One scratch buffer per thread, so a listing that reads thousands of
    // attributes allocates only for the values it keeps.
    std::vector<char>& scratch(std::size_t size)
    {
        thread_local std::vector<char> buffer;
        if (buffer.size() < size)
            buffer.resize(size);
        return buffer;
    }

    // The kernel allocates and clears a buffer of the size a read asks for, so
    // a read sized by the bound (up to 64 KiB) would cost far more than the
    // small values it usually returns. A first read asks for one page; only a
    // larger value costs a size query and one read of exactly its size, and a
    // value over the bound is never read at all.
    constexpr std::size_t first_read_size = 4096;

    // The value stays in the thread's scratch buffer; the view is valid until
    // the thread's next read.
    template<typename Read> std::optional<std::string_view> bounded_read(std::size_t max_bytes, Read&& read)
    {
        max_bytes = std::min(max_bytes, max_attribute_size);
        // One byte more than allowed tells an oversize value from one that fits.
        std::size_t const first = std::min(max_bytes + 1, first_read_size);
        auto& buffer = scratch(first);
        ssize_t length = read(buffer.data(), first);
        if (length < 0) {
            if (errno != ERANGE)
                return std::nullopt;
            ssize_t const size = read(nullptr, 0);
            if (size < 0 || static_cast<std::size_t>(size) > max_bytes)
                return std::nullopt;
            auto& larger = scratch(static_cast<std::size_t>(size));
            // A value that grew since the size query fails with ERANGE here.
            length = read(larger.data(), static_cast<std::size_t>(size));
            if (length < 0)
                return std::nullopt;
            return std::string_view(larger.data(), static_cast<std::size_t>(length));
        }
        if (static_cast<std::size_t>(length) > max_bytes)
            return std::nullopt;
        return std::string_view(buffer.data(), static_cast<std::size_t>(length));
    }

    std::optional<std::string> copied(std::optional<std::string_view> value)
    {
        return value ? std::optional<std::string>(std::in_place, *value) : std::nullopt;
    }

// getxattrat(2), Linux 6.13 and later; the number is shared by every
// architecture's table. Older kernels answer ENOSYS once and the path is used
// from then on.
#ifndef SYS_getxattrat
#define SYS_getxattrat 464
#endif

    struct XattrArgs {
        __u64 value;
        __u32 size;
        __u32 flags;
    };

    std::atomic<bool> getxattrat_missing { false };

    ssize_t get_attribute_at(ItemInFolder const& item, char const* name, char* data, std::size_t size)
    {
        if (!getxattrat_missing.load(std::memory_order_relaxed)) {
            XattrArgs args { reinterpret_cast<__u64>(data), static_cast<__u32>(size), 0 };
            long const result
                = syscall(SYS_getxattrat, item.folder_fd, item.name, AT_SYMLINK_NOFOLLOW, name, &args, sizeof args);
            if (result >= 0 || errno != ENOSYS)
                return static_cast<ssize_t>(result);
            getxattrat_missing.store(true, std::memory_order_relaxed);
        }
        return lgetxattr(item.path.c_str(), name, data, size);
    }

}

std::optional<std::string_view> read_attribute_view(ItemInFolder const& item, char const* name, std::size_t max_bytes)
{
    return bounded_read(
        max_bytes, [&](char* data, std::size_t size) { return get_attribute_at(item, name, data, size); });
}

std::optional<std::string_view> read_attribute_view(std::string const& path, char const* name, std::size_t max_bytes)
{
    return bounded_read(
        max_bytes, [&](char* data, std::size_t size) { return lgetxattr(path.c_str(), name, data, size); });
}

std::optional<std::string> read_attribute(ItemInFolder const& item, char const* name, std::size_t max_bytes)
{
    return copied(read_attribute_view(item, name, max_bytes));
}

std::optional<std::string> read_attribute(std::string const& path, char const* name, std::size_t max_bytes)
{
    return copied(read_attribute_view(path, name, max_bytes));
}

std::optional<std::string> read_attribute(int fd, char const* name, std::size_t max_bytes)
{
    return copied(
        bounded_read(max_bytes, [&](char* data, std::size_t size) { return fgetxattr(fd, name, data, size); }));
}

bool has_attribute(std::string const& path, char const* name) { return lgetxattr(path.c_str(), name, nullptr, 0) >= 0; }

base::Result<void> write_attribute(std::string const& path, char const* name, std::string_view value)
{
    if (lsetxattr(path.c_str(), name, value.data(), value.size(), 0) != 0)
        return base::fail_last_errno();
    return {};
}

base::Result<void> write_attribute(int fd, char const* name, std::string_view value)
{
    if (fsetxattr(fd, name, value.data(), value.size(), 0) != 0)
        return base::fail_last_errno();
    return {};
}

}
