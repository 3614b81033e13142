#include "ftl_tool/source_file.h"

#include <cerrno>
#include <cstdint>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace files::ftl_tool {

namespace {

    // The length of the well-formed sequence at the start of text, or 0.
    std::size_t sequence_length(std::string_view text)
    {
        auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
        unsigned char const lead = byte(0);
        if (lead < 0x80)
            return 1;
        std::size_t length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return 0;
        }
        if (text.size() < length)
            return 0;
        if (byte(1) < low || byte(1) > high)
            return 0;
        for (std::size_t i = 2; i < length; ++i) {
            if (byte(i) < 0x80 || byte(i) > 0xBF)
                return 0;
        }
        return length;
    }

    class FileDescriptor {
    public:
        explicit FileDescriptor(int fd)
            : m_fd(fd)
        {
        }
        ~FileDescriptor()
        {
            if (m_fd >= 0)
                ::close(m_fd);
        }
        FileDescriptor(FileDescriptor const&) = delete;
        FileDescriptor& operator=(FileDescriptor const&) = delete;
        int get() const { return m_fd; }

    private:
        int m_fd;
    };

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

std::optional<std::size_t> first_invalid_utf8(std::string_view text)
{
    std::size_t offset = 0;
    while (offset < text.size()) {
        std::size_t const length = sequence_length(text.substr(offset));
        if (length == 0)
            return offset;
        offset += length;
    }
    return std::nullopt;
}

base::Result<std::string> read_resource_file(std::string const& path)
{
    FileDescriptor const file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
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
