#include "ftl_tool/source_file.h"

#include "base/unique_fd.h"
#include "base/utf8.h"

#include <cerrno>
#include <cstdint>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace files::ftl_tool {

namespace {

    // The length of the well-formed sequence at the start of text, or 0.
    std::unexpected<base::Error> too_large(std::string const& path)
    {
        return base::fail(path + ": larger than 1 MiB, not read");
    }

    // Reads at most max_resource_bytes + 1 bytes, so a pipe or a file that
    // grew after the size check is still caught without reading it all.
    base::Result<std::string> read_bounded(int fd, std::string const& path)
    {
        std::string text;
        char buffer[65536];
        while (text.size() <= max_resource_bytes) {
            ssize_t const count = ::read(fd, buffer, sizeof buffer);
            if (count < 0) {
                if (errno == EINTR)
                    continue;
                return base::fail_errno(errno, "cannot read " + path);
            }
            if (count == 0)
                return text;
            text.append(buffer, static_cast<std::size_t>(count));
        }
        return too_large(path);
    }

}

std::optional<std::size_t> first_invalid_utf8(std::string_view text) { return base::first_invalid_utf8(text); }

base::Result<std::string> read_resource_file(std::string const& path)
{
    base::UniqueFd const file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
    if (file.get() < 0)
        return base::fail_errno(errno, "cannot read " + path);
    struct stat status { };
    if (::fstat(file.get(), &status) != 0)
        return base::fail_errno(errno, "cannot read " + path);
    if (S_ISREG(status.st_mode) && static_cast<std::uintmax_t>(status.st_size) > max_resource_bytes)
        return too_large(path);
    std::string text = TRY(read_bounded(file.get(), path));
    if (auto const offset = first_invalid_utf8(text))
        return base::fail(path + ": invalid UTF-8 at byte " + std::to_string(*offset));
    return text;
}

}
