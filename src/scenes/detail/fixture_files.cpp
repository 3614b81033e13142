#include "scenes/detail/fixture_files.h"

#include "model/attributes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace files::scenes::detail {

namespace {

    // Monday 3 June 2024, 09:41:00 UTC.
    constexpr std::int64_t newest_fixture_time = 1717407660;
    constexpr std::int64_t fixture_time_step = 86400 + 37 * 60;

}

std::int64_t fixture_time(int step) { return newest_fixture_time - step * fixture_time_step; }

void reset_folder(std::filesystem::path const& path)
{
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
    std::filesystem::create_directories(path, ignored);
}

void make_folder(std::filesystem::path const& path)
{
    std::error_code ignored;
    std::filesystem::create_directories(path, ignored);
}

void write_file(std::filesystem::path const& path, std::string_view bytes)
{
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0)
        return;
    while (!bytes.empty()) {
        auto written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            break;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    ::close(fd);
}

void set_attribute(std::filesystem::path const& path, char const* name, std::string_view value)
{
    (void)model::write_attribute(path.native(), name, value);
}

void set_modified(std::filesystem::path const& path, std::int64_t unix_seconds)
{
    timespec times[2] {};
    times[0].tv_sec = static_cast<time_t>(unix_seconds);
    times[1].tv_sec = static_cast<time_t>(unix_seconds);
    (void)::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW);
}

}
