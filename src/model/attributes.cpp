#include "model/attributes.h"

#include <algorithm>
#include <cerrno>
#include <vector>

#include <sys/xattr.h>

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

    template<typename Read> std::optional<std::string> bounded_read(std::size_t max_bytes, Read&& read)
    {
        max_bytes = std::min(max_bytes, max_attribute_size);
        // One byte more than allowed tells an oversize value from one that fits.
        auto& buffer = scratch(max_bytes + 1);
        ssize_t const length = read(buffer.data(), max_bytes + 1);
        if (length < 0 || static_cast<std::size_t>(length) > max_bytes)
            return std::nullopt;
        return std::string(buffer.data(), static_cast<std::size_t>(length));
    }

}

std::optional<std::string> read_attribute(std::string const& path, char const* name, std::size_t max_bytes)
{
    return bounded_read(
        max_bytes, [&](char* data, std::size_t size) { return lgetxattr(path.c_str(), name, data, size); });
}

std::optional<std::string> read_attribute(int fd, char const* name, std::size_t max_bytes)
{
    return bounded_read(max_bytes, [&](char* data, std::size_t size) { return fgetxattr(fd, name, data, size); });
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
