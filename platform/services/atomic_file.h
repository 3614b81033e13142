#pragma once

// Publishing a file so that readers see either the old content or the new,
// never a partial write, even across a crash.

#include "base/result.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

namespace services {

// Creates the missing parent folders, writes `bytes` to a fresh temporary
// file in the target's folder, flushes it to disk and renames it over `path`,
// then flushes the folder. An existing target keeps its permission bits; a
// new one gets 0666 less the umask. On failure the temporary file is removed,
// the target is untouched, and the error carries the errno with the text
// "cannot write <path>: <reason>" (or "cannot create folder <folder>: …").
[[nodiscard]] base::Result<void> write_creating_parent(std::filesystem::path const& path, std::string_view bytes);
[[nodiscard]] base::Result<void> write_creating_parent(
    std::filesystem::path const& path, std::span<std::uint8_t const> bytes);

}
