#pragma once

// A decoded raster image in cairo's ARGB32 layout (premultiplied, native
// endian), shared cheaply between the thumbnail cache and the painter.

#include "base/result.h"
#include "ui/color.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace ui {

class Image {
public:
    Image() = default;
    // A transparent image of the given device-pixel size.
    static Image create(int width, int height);
    // Wraps pixels already in ARGB32 premultiplied layout with `stride` bytes a row.
    static Image from_argb32(int width, int height, int stride, std::vector<std::uint8_t> pixels);

    int width() const { return m_width; }
    int height() const { return m_height; }
    int stride() const { return m_stride; }
    bool is_null() const { return !m_pixels || m_width <= 0 || m_height <= 0; }
    std::uint8_t const* data() const { return m_pixels ? m_pixels->data() : nullptr; }
    std::uint8_t* mutable_data() { return m_pixels ? m_pixels->data() : nullptr; }

    // The straight (un-premultiplied) colour at a device pixel, for tests.
    Color pixel(int x, int y) const;

private:
    int m_width { 0 };
    int m_height { 0 };
    int m_stride { 0 };
    std::shared_ptr<std::vector<std::uint8_t>> m_pixels;
};

// Encodes as PNG (8-bit RGBA).
base::Result<std::vector<std::uint8_t>> encode_png(Image const& image);
// Decodes a PNG into an Image; used by tests and the thumbnail cache.
base::Result<Image> decode_png(std::vector<std::uint8_t> const& bytes);

}
