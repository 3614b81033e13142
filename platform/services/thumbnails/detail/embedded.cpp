#include "services/thumbnails/detail/decoders.h"

#include <cerrno>

#include <sys/xattr.h>

namespace services::detail {

namespace {

    constexpr char thumbnail_attribute[] = "user.kesu.thumb";
    // Linux caps an attribute value at 64 KiB; anything claiming more is not
    // read.
    constexpr std::size_t max_attribute_bytes = 64u << 10;

}

std::optional<std::vector<std::uint8_t>> read_embedded_thumbnail(std::filesystem::path const& path)
{
    std::vector<std::uint8_t> value(max_attribute_bytes);
    ssize_t length = lgetxattr(path.c_str(), thumbnail_attribute, value.data(), value.size());
    if (length <= 0)
        return std::nullopt;
    value.resize(static_cast<std::size_t>(length));
    return value;
}

}
