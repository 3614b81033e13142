#include "ui/image.h"

#include <cstring>

#include <cairo.h>

namespace ui {

namespace {

    // Cairo caps image surfaces well below this; anything larger is a corrupt or
    // hostile header.
    constexpr int max_image_side = 32767;
    constexpr std::size_t max_png_bytes = 256u * 1024u * 1024u;

    struct SurfaceDeleter {
        void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
    };
    using SurfacePtr = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

    struct ReadCursor {
        std::vector<std::uint8_t> const* bytes;
        std::size_t offset { 0 };
    };

    cairo_status_t read_chunk(void* closure, unsigned char* data, unsigned int length)
    {
        auto* cursor = static_cast<ReadCursor*>(closure);
        if (cursor->bytes->size() - cursor->offset < length)
            return CAIRO_STATUS_READ_ERROR;
        std::memcpy(data, cursor->bytes->data() + cursor->offset, length);
        cursor->offset += length;
        return CAIRO_STATUS_SUCCESS;
    }

    cairo_status_t write_chunk(void* closure, unsigned char const* data, unsigned int length)
    {
        auto* out = static_cast<std::vector<std::uint8_t>*>(closure);
        if (out->size() + length > max_png_bytes)
            return CAIRO_STATUS_WRITE_ERROR;
        out->insert(out->end(), data, data + length);
        return CAIRO_STATUS_SUCCESS;
    }

}

Image Image::create(int width, int height)
{
    if (width <= 0 || height <= 0 || width > max_image_side || height > max_image_side)
        return {};
    int stride = cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, width);
    return from_argb32(width, height, stride,
        std::vector<std::uint8_t>(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height), 0));
}

Image Image::from_argb32(int width, int height, int stride, std::vector<std::uint8_t> pixels)
{
    if (width <= 0 || height <= 0 || stride < width * 4
        || pixels.size() < static_cast<std::size_t>(stride) * static_cast<std::size_t>(height))
        return {};
    Image image;
    image.m_width = width;
    image.m_height = height;
    image.m_stride = stride;
    image.m_pixels = std::make_shared<std::vector<std::uint8_t>>(std::move(pixels));
    return image;
}

Color Image::pixel(int x, int y) const
{
    if (is_null() || x < 0 || y < 0 || x >= m_width || y >= m_height)
        return { 0, 0, 0, 0 };
    std::uint32_t value;
    std::memcpy(&value, data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(m_stride) + x * 4, 4);
    double a = static_cast<double>((value >> 24) & 0xFF) / 255.0;
    if (a == 0)
        return { 0, 0, 0, 0 };
    auto channel = [&](int shift) { return static_cast<double>((value >> shift) & 0xFF) / 255.0 / a; };
    return { channel(16), channel(8), channel(0), a };
}

base::Result<std::vector<std::uint8_t>> encode_png(Image const& image)
{
    if (image.is_null())
        return base::fail("cannot encode an empty image as PNG");
    // Cairo only reads the buffer while writing, so casting away const is safe.
    auto* pixels = const_cast<unsigned char*>(image.data());
    SurfacePtr surface(cairo_image_surface_create_for_data(
        pixels, CAIRO_FORMAT_ARGB32, image.width(), image.height(), image.stride()));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
        return base::fail(
            std::string("cannot encode PNG: ") + cairo_status_to_string(cairo_surface_status(surface.get())));
    std::vector<std::uint8_t> out;
    cairo_status_t status = cairo_surface_write_to_png_stream(surface.get(), write_chunk, &out);
    if (status != CAIRO_STATUS_SUCCESS)
        return base::fail(std::string("cannot encode PNG: ") + cairo_status_to_string(status));
    return out;
}

base::Result<Image> decode_png(std::vector<std::uint8_t> const& bytes)
{
    if (bytes.size() > max_png_bytes)
        return base::fail("PNG data is too large");
    ReadCursor cursor { &bytes };
    SurfacePtr surface(cairo_image_surface_create_from_png_stream(read_chunk, &cursor));
    cairo_status_t status = cairo_surface_status(surface.get());
    if (status != CAIRO_STATUS_SUCCESS)
        return base::fail(std::string("cannot decode PNG: ") + cairo_status_to_string(status));
    // PNGs without alpha come back as RGB24; widen them so every Image is ARGB32.
    int width = cairo_image_surface_get_width(surface.get());
    int height = cairo_image_surface_get_height(surface.get());
    Image image = Image::create(width, height);
    if (image.is_null())
        return base::fail("cannot decode PNG: image is too large");
    SurfacePtr target(
        cairo_image_surface_create_for_data(image.mutable_data(), CAIRO_FORMAT_ARGB32, width, height, image.stride()));
    cairo_t* cr = cairo_create(target.get());
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, surface.get(), 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(target.get());
    return image;
}

}
