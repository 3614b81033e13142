#pragma once

// The decoders behind the thumbnail workers. Every one bounds what it reads
// before it decodes and scales its result to thumbnail_max_side.

#include "base/result.h"
#include "ui/image.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace services::detail {

// Images larger than this many pixels are not decoded at all.
inline constexpr std::uint64_t max_source_pixels = 100'000'000;
// Image data handed over as bytes (an attribute value, an archive entry).
inline constexpr std::size_t max_image_bytes = 32u << 20;
// Files larger than this are not opened for a thumbnail.
inline constexpr std::uintmax_t max_content_bytes = 1ull << 30;

base::Result<ui::Image> decode_image_file(std::filesystem::path const& path);
base::Result<ui::Image> decode_image_bytes(std::span<std::uint8_t const> bytes);
// The first page of a PDF on a white ground.
base::Result<ui::Image> render_pdf_first_page(std::filesystem::path const& path);
// The cover an EPUB names in its package document, else an entry called
// cover, else its first image.
base::Result<ui::Image> decode_epub_cover(std::filesystem::path const& path);
// The file's own content, by its extension.
base::Result<ui::Image> decode_content(std::filesystem::path const& path);

// The value of user.kesu.thumb, read without following a link and without
// opening the file; nothing when absent, empty or unreadable.
std::optional<std::vector<std::uint8_t>> read_embedded_thumbnail(std::filesystem::path const& path);

// The size that fits `width` x `height` into the thumbnail bound, keeping the
// aspect ratio and never enlarging; at least 1 x 1.
struct FitSize {
    int width;
    int height;
};
FitSize fit_thumbnail(int width, int height);

}
