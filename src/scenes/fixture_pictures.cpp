#include "scenes/fixture_pictures.h"

#include "scenes/detail/picture_painters.h"

#include <algorithm>
#include <memory>
#include <vector>

#include <cairo.h>
#include <gdk-pixbuf/gdk-pixbuf.h>

namespace files::scenes {

namespace {

    struct SurfaceDeleter {
        void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
    };
    using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

    Surface painted(Picture picture, int width, int height)
    {
        if (width <= 0 || height <= 0)
            return nullptr;
        Surface surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
        if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
            return nullptr;
        cairo_t* cr = cairo_create(surface.get());
        detail::paint_picture(cr, picture, width, height);
        cairo_destroy(cr);
        cairo_surface_flush(surface.get());
        return surface;
    }

    cairo_status_t append(void* closure, unsigned char const* data, unsigned int length)
    {
        static_cast<std::string*>(closure)->append(reinterpret_cast<char const*>(data), length);
        return CAIRO_STATUS_SUCCESS;
    }

}

std::string picture_png(Picture picture, int width, int height)
{
    auto surface = painted(picture, width, height);
    std::string bytes;
    if (!surface || cairo_surface_write_to_png_stream(surface.get(), append, &bytes) != CAIRO_STATUS_SUCCESS)
        return {};
    return bytes;
}

std::string picture_jpeg(Picture picture, int width, int height, int quality)
{
    auto surface = painted(picture, width, height);
    if (!surface)
        return {};
    // Cairo keeps RGB24 as one native-endian 32-bit word a pixel; the pixbuf
    // wants packed RGB bytes.
    auto const* source = cairo_image_surface_get_data(surface.get());
    int const source_stride = cairo_image_surface_get_stride(surface.get());
    int const stride = width * 3;
    std::vector<guchar> rgb(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        auto const* row
            = reinterpret_cast<std::uint32_t const*>(source + static_cast<std::ptrdiff_t>(y) * source_stride);
        auto* out = rgb.data() + static_cast<std::ptrdiff_t>(y) * stride;
        for (int x = 0; x < width; ++x) {
            std::uint32_t pixel = row[x];
            out[3 * x] = static_cast<guchar>((pixel >> 16) & 0xFF);
            out[3 * x + 1] = static_cast<guchar>((pixel >> 8) & 0xFF);
            out[3 * x + 2] = static_cast<guchar>(pixel & 0xFF);
        }
    }
    GdkPixbuf* pixbuf
        = gdk_pixbuf_new_from_data(rgb.data(), GDK_COLORSPACE_RGB, FALSE, 8, width, height, stride, nullptr, nullptr);
    if (!pixbuf)
        return {};
    gchar* buffer = nullptr;
    gsize size = 0;
    GError* error = nullptr;
    auto quality_text = std::to_string(std::clamp(quality, 0, 100));
    gboolean saved
        = gdk_pixbuf_save_to_buffer(pixbuf, &buffer, &size, "jpeg", &error, "quality", quality_text.c_str(), nullptr);
    g_object_unref(pixbuf);
    std::string bytes;
    if (saved)
        bytes.assign(buffer, size);
    if (error)
        g_error_free(error);
    g_free(buffer);
    return bytes;
}

}
