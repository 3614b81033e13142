#include "services/thumbnails/detail/disk_cache.h"

#include <atomic>
#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <fmt/format.h>
#include <unistd.h>

namespace services::detail {

namespace {

    // A thumbnail PNG of 256 x 256 pixels is far below this.
    constexpr std::size_t max_cached_bytes = 4u << 20;

    std::optional<std::vector<std::uint8_t>> read_bounded(std::filesystem::path const& path)
    {
        int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0)
            return std::nullopt;
        std::vector<std::uint8_t> bytes(max_cached_bytes + 1);
        std::size_t total = 0;
        while (total < bytes.size()) {
            ssize_t got = ::read(fd, bytes.data() + total, bytes.size() - total);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                break;
            total += static_cast<std::size_t>(got);
        }
        ::close(fd);
        if (total == 0 || total > max_cached_bytes)
            return std::nullopt;
        bytes.resize(total);
        return bytes;
    }

    bool write_all(int fd, std::vector<std::uint8_t> const& bytes)
    {
        std::size_t done = 0;
        while (done < bytes.size()) {
            ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
            if (wrote < 0 && errno == EINTR)
                continue;
            if (wrote <= 0)
                return false;
            done += static_cast<std::size_t>(wrote);
        }
        return true;
    }

}

std::filesystem::path cache_file(std::filesystem::path const& folder, ThumbKey const& key)
{
    return folder / (key.text() + ".png");
}

std::optional<ui::Image> load_cached(std::filesystem::path const& folder, ThumbKey const& key)
{
    auto bytes = read_bounded(cache_file(folder, key));
    if (!bytes)
        return std::nullopt;
    auto image = ui::decode_png(*bytes);
    if (!image || image->is_null())
        return std::nullopt;
    return *image;
}

void store_cached(std::filesystem::path const& folder, ThumbKey const& key, ui::Image const& image)
{
    static std::atomic<unsigned> counter { 0 };
    auto png = ui::encode_png(image);
    if (!png)
        return;
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    std::filesystem::path target = cache_file(folder, key);
    std::filesystem::path temporary
        = folder / fmt::format(".{}.{}-{}.part", key.text(), ::getpid(), counter.fetch_add(1));
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    bool written = write_all(fd, *png);
    written = ::close(fd) == 0 && written;
    if (!written || ::rename(temporary.c_str(), target.c_str()) != 0)
        ::unlink(temporary.c_str());
}

}
