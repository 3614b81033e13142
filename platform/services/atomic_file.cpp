#include "services/atomic_file.h"

#include "base/hex.h"

#include <array>
#include <cerrno>
#include <string>

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace services {

namespace {

    constexpr int max_name_attempts = 64;

    std::unexpected<base::Error> write_error(int code, std::filesystem::path const& path)
    {
        return base::fail_errno(code, "cannot write " + path.string());
    }

    std::string random_suffix()
    {
        std::array<unsigned char, 6> bytes {};
        if (getrandom(bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size())) {
            // Fall back to something that still differs between attempts.
            static unsigned counter = 0;
            unsigned value = static_cast<unsigned>(getpid()) * 2654435761u + ++counter;
            for (auto& byte : bytes) {
                byte = static_cast<unsigned char>(value);
                value = value * 1103515245u + 12345u;
            }
        }
        return base::hex_text(bytes);
    }

    struct TempFile {
        int fd { -1 };
        std::filesystem::path path;
    };

    // A new file next to `target`, created exclusively so no other writer's
    // temporary file (or anything else) is ever reused.
    base::Result<TempFile> create_temp(std::filesystem::path const& target)
    {
        std::filesystem::path folder = target.parent_path();
        for (int attempt = 0; attempt < max_name_attempts; ++attempt) {
            std::filesystem::path candidate = folder / ("." + target.filename().string() + ".tmp-" + random_suffix());
            int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0)
                return TempFile { fd, candidate };
            if (errno != EEXIST)
                return write_error(errno, target);
        }
        return write_error(EEXIST, target);
    }

    int write_all(int fd, std::span<std::uint8_t const> bytes)
    {
        while (!bytes.empty()) {
            ssize_t written = ::write(fd, bytes.data(), bytes.size());
            if (written < 0) {
                if (errno == EINTR)
                    continue;
                return errno;
            }
            bytes = bytes.subspan(static_cast<std::size_t>(written));
        }
        return 0;
    }

    // Writes, keeps the target's mode and flushes; closes the descriptor either way.
    int fill_temp(TempFile const& temp, std::filesystem::path const& target, std::span<std::uint8_t const> bytes)
    {
        int code = write_all(temp.fd, bytes);
        struct stat existing { };
        if (code == 0 && ::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)
            && ::fchmod(temp.fd, existing.st_mode & 07777) != 0)
            code = errno;
        if (code == 0 && ::fsync(temp.fd) != 0)
            code = errno;
        if (::close(temp.fd) != 0 && code == 0)
            code = errno;
        return code;
    }

    // A rename is durable only once its folder is flushed.
    void sync_folder(std::filesystem::path const& folder)
    {
        int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return;
        ::fsync(fd);
        ::close(fd);
    }

}

base::Result<void> write_creating_parent(std::filesystem::path const& path, std::span<std::uint8_t const> bytes)
{
    if (path.empty() || !path.has_filename())
        return write_error(EINVAL, path);
    std::filesystem::path target = path.is_absolute() ? path : std::filesystem::path(".") / path;
    std::filesystem::path folder = target.parent_path();
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        return base::fail_errno(error.value(), "cannot create folder " + folder.string());

    TempFile temp = TRY(create_temp(target));
    int code = fill_temp(temp, target, bytes);
    if (code == 0 && ::rename(temp.path.c_str(), target.c_str()) != 0)
        code = errno;
    if (code != 0) {
        ::unlink(temp.path.c_str());
        return write_error(code, path);
    }
    sync_folder(folder);
    return {};
}

base::Result<void> write_creating_parent(std::filesystem::path const& path, std::string_view bytes)
{
    return write_creating_parent(path, std::span(reinterpret_cast<std::uint8_t const*>(bytes.data()), bytes.size()));
}

}
