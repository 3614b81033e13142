#include "services/thumbnails/detail/decoders.h"
#include "services/thumbnails/thumbnail_service.h"

#include <algorithm>
#include <cmath>
#include <string>

#include <gdk-pixbuf/gdk-pixbuf.h>

namespace services::detail {

namespace {

    struct PixbufDeleter {
        void operator()(GdkPixbuf* pixbuf) const { g_object_unref(pixbuf); }
    };
    using PixbufPtr = std::unique_ptr<GdkPixbuf, PixbufDeleter>;

    std::string take_error(GError* error, std::string_view fallback)
    {
        std::string text = error && error->message ? error->message : std::string(fallback);
        if (error)
            g_error_free(error);
        return text;
    }

    std::uint8_t premultiply(std::uint8_t value, std::uint8_t alpha)
    {
        return static_cast<std::uint8_t>((value * alpha + 127) / 255);
    }

    // GdkPixbuf rows are straight RGB(A) bytes; cairo wants premultiplied
    // native-endian ARGB32 words.
    ui::Image image_from_pixbuf(GdkPixbuf* pixbuf)
    {
        int width = gdk_pixbuf_get_width(pixbuf);
        int height = gdk_pixbuf_get_height(pixbuf);
        int channels = gdk_pixbuf_get_n_channels(pixbuf);
        bool alpha = gdk_pixbuf_get_has_alpha(pixbuf);
        int source_stride = gdk_pixbuf_get_rowstride(pixbuf);
        guchar const* source = gdk_pixbuf_read_pixels(pixbuf);
        int stride = width * 4;
        std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height));
        for (int y = 0; y < height; ++y) {
            guchar const* in = source + static_cast<std::ptrdiff_t>(y) * source_stride;
            auto* out = reinterpret_cast<std::uint32_t*>(pixels.data() + static_cast<std::ptrdiff_t>(y) * stride);
            for (int x = 0; x < width; ++x, in += channels) {
                std::uint8_t a = alpha ? in[3] : 255;
                out[x] = (std::uint32_t { a } << 24) | (std::uint32_t { premultiply(in[0], a) } << 16)
                    | (std::uint32_t { premultiply(in[1], a) } << 8) | premultiply(in[2], a);
            }
        }
        return ui::Image::from_argb32(width, height, stride, std::move(pixels));
    }

    base::Result<ui::Image> finish(GdkPixbuf* decoded)
    {
        if (!decoded)
            return base::fail("the image has no pixels");
        // Camera pictures store their rotation separately from the pixels.
        PixbufPtr oriented(gdk_pixbuf_apply_embedded_orientation(decoded));
        GdkPixbuf* pixbuf = oriented ? oriented.get() : decoded;
        if (gdk_pixbuf_get_bits_per_sample(pixbuf) != 8 || gdk_pixbuf_get_n_channels(pixbuf) < 3)
            return base::fail("unsupported pixel layout");
        FitSize fit = fit_thumbnail(gdk_pixbuf_get_width(pixbuf), gdk_pixbuf_get_height(pixbuf));
        if (fit.width == gdk_pixbuf_get_width(pixbuf) && fit.height == gdk_pixbuf_get_height(pixbuf))
            return image_from_pixbuf(pixbuf);
        PixbufPtr scaled(gdk_pixbuf_scale_simple(pixbuf, fit.width, fit.height, GDK_INTERP_BILINEAR));
        if (!scaled)
            return base::fail("cannot scale the image");
        return image_from_pixbuf(scaled.get());
    }

    bool too_many_pixels(int width, int height)
    {
        return width <= 0 || height <= 0
            || static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > max_source_pixels;
    }

    // Asks the loader to decode at thumbnail size where the format can (JPEG
    // scales while decoding), and refuses absurd dimensions before any pixel
    // buffer is allocated.
    void on_size_prepared(GdkPixbufLoader* loader, int width, int height, gpointer refused)
    {
        if (too_many_pixels(width, height)) {
            *static_cast<bool*>(refused) = true;
            gdk_pixbuf_loader_set_size(loader, 1, 1);
            return;
        }
        FitSize fit = fit_thumbnail(width, height);
        gdk_pixbuf_loader_set_size(loader, fit.width, fit.height);
    }

}

FitSize fit_thumbnail(int width, int height)
{
    int longest = std::max(width, height);
    if (longest <= thumbnail_max_side)
        return { std::max(width, 1), std::max(height, 1) };
    double scale = static_cast<double>(thumbnail_max_side) / longest;
    return { std::max(1, static_cast<int>(std::lround(width * scale))),
        std::max(1, static_cast<int>(std::lround(height * scale))) };
}

base::Result<ui::Image> decode_image_bytes(std::span<std::uint8_t const> bytes)
{
    if (bytes.empty())
        return base::fail("the image is empty");
    if (bytes.size() > max_image_bytes)
        return base::fail("the image is too large");
    GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
    bool refused = false;
    g_signal_connect(loader, "size-prepared", G_CALLBACK(on_size_prepared), &refused);
    GError* error = nullptr;
    bool ok = gdk_pixbuf_loader_write(loader, bytes.data(), bytes.size(), &error);
    if (ok)
        ok = gdk_pixbuf_loader_close(loader, &error);
    else
        gdk_pixbuf_loader_close(loader, nullptr);
    base::Result<ui::Image> result = base::fail("the image cannot be decoded");
    if (refused)
        result = base::fail("the image is too large");
    else if (!ok)
        result = base::fail(take_error(error, "the image cannot be decoded"));
    else
        result = finish(gdk_pixbuf_loader_get_pixbuf(loader));
    g_object_unref(loader);
    return result;
}

base::Result<ui::Image> decode_image_file(std::filesystem::path const& path)
{
    int width = 0;
    int height = 0;
    if (!gdk_pixbuf_get_file_info(path.c_str(), &width, &height))
        return base::fail("not an image");
    if (too_many_pixels(width, height))
        return base::fail("the image is too large");
    GError* error = nullptr;
    FitSize fit = fit_thumbnail(width, height);
    PixbufPtr pixbuf(gdk_pixbuf_new_from_file_at_scale(path.c_str(), fit.width, fit.height, TRUE, &error));
    if (!pixbuf)
        return base::fail(take_error(error, "the image cannot be decoded"));
    return finish(pixbuf.get());
}

}
