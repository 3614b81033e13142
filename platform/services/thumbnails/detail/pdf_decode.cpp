#include "services/thumbnails/detail/decoders.h"
#include "services/thumbnails/thumbnail_service.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <cairo.h>
#include <poppler.h>

namespace services::detail {

namespace {

    template<typename T> struct GObjectDeleter {
        void operator()(T* object) const { g_object_unref(object); }
    };
    template<typename T> using GObjectPtr = std::unique_ptr<T, GObjectDeleter<T>>;

    // Copies a cairo image surface (already premultiplied ARGB32).
    ui::Image image_from_surface(cairo_surface_t* surface)
    {
        cairo_surface_flush(surface);
        int width = cairo_image_surface_get_width(surface);
        int height = cairo_image_surface_get_height(surface);
        int stride = cairo_image_surface_get_stride(surface);
        unsigned char const* data = cairo_image_surface_get_data(surface);
        std::vector<std::uint8_t> pixels(data, data + static_cast<std::ptrdiff_t>(stride) * height);
        return ui::Image::from_argb32(width, height, stride, std::move(pixels));
    }

}

base::Result<ui::Image> render_pdf_first_page(std::filesystem::path const& path)
{
    GError* error = nullptr;
    gchar* uri = g_filename_to_uri(path.c_str(), nullptr, nullptr);
    if (!uri)
        return base::fail("the path cannot be opened as a document");
    GObjectPtr<PopplerDocument> document(poppler_document_new_from_file(uri, nullptr, &error));
    g_free(uri);
    if (!document) {
        std::string text = error && error->message ? error->message : "not a PDF document";
        if (error)
            g_error_free(error);
        return base::fail(text);
    }
    if (poppler_document_get_n_pages(document.get()) < 1)
        return base::fail("the document has no pages");
    GObjectPtr<PopplerPage> page(poppler_document_get_page(document.get(), 0));
    if (!page)
        return base::fail("the first page cannot be read");
    double width = 0;
    double height = 0;
    poppler_page_get_size(page.get(), &width, &height);
    if (!std::isfinite(width) || !std::isfinite(height) || width < 1 || height < 1 || width > 1e5 || height > 1e5)
        return base::fail("the page has no usable size");
    double scale = thumbnail_max_side / std::max(width, height);
    int device_width = std::max(1, static_cast<int>(std::lround(width * scale)));
    int device_height = std::max(1, static_cast<int>(std::lround(height * scale)));

    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, device_width, device_height);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_scale(cr, scale, scale);
    poppler_page_render(page.get(), cr);
    cairo_destroy(cr);
    base::Result<ui::Image> result = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS
        ? base::Result<ui::Image>(image_from_surface(surface))
        : base::fail("the page cannot be drawn");
    cairo_surface_destroy(surface);
    return result;
}

}
