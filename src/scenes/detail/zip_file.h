#pragma once

#include "base/result.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace files::scenes::detail {

enum class ZipCompression : std::uint8_t {
    Store,
    Deflate,
};

struct ZipMember {
    std::string name;
    std::string content;
    ZipCompression compression { ZipCompression::Deflate };
};

// Writes a ZIP file holding `members` in order, each a regular file (0644)
// modified at `modified`. Fails with the archive library's error text.
[[nodiscard]] base::Result<void> write_zip(
    std::filesystem::path const& path, std::span<ZipMember const> members, std::int64_t modified);

}
