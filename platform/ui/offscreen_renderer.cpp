#include "ui/offscreen_renderer.h"

#include "ui/painter.h"
#include "ui/text_renderer.h"
#include "ui/theme.h"

#include <cmath>

#include <cairo.h>
#include <fmt/format.h>

namespace ui {

namespace {

    constexpr double max_side = 16384;
    constexpr int max_passes = 4;

    struct DeviceSize {
        int width;
        int height;
    };

    base::Result<DeviceSize> device_size(RenderOptions const& options)
    {
        auto valid_side = [](double side) { return std::isfinite(side) && side > 0 && side <= max_side; };
        if (!valid_side(options.size.width) || !valid_side(options.size.height))
            return base::fail(fmt::format("cannot render at {}x{}: width and height must be between 1 and {} pixels",
                options.size.width, options.size.height, max_side));
        if (!std::isfinite(options.scale) || options.scale <= 0)
            return base::fail(fmt::format("cannot render at scale {}: the scale must be above 0", options.scale));
        double width = std::ceil(options.size.width * options.scale);
        double height = std::ceil(options.size.height * options.scale);
        if (width > max_side || height > max_side)
            return base::fail(
                fmt::format("cannot render at {}x{} device pixels: at most {} pixels a side", width, height, max_side));
        return DeviceSize { static_cast<int>(width), static_cast<int>(height) };
    }

    // Draws one pass into `image`; the surface wraps the image's own buffer.
    void draw_pass(Widget& root, RenderOptions const& options, Image& image, TextRenderer& text)
    {
        Theme const& theme = options.theme ? *options.theme : Theme::light();
        FrameContext frame = options.frame;
        if (frame.now == Clock::time_point {})
            frame.now = Clock::now();

        cairo_surface_t* surface = cairo_image_surface_create_for_data(
            image.mutable_data(), CAIRO_FORMAT_ARGB32, image.width(), image.height(), image.stride());
        cairo_t* cr = cairo_create(surface);
        cairo_scale(cr, options.scale, options.scale);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_rgba(cr, theme.window.r, theme.window.g, theme.window.b, theme.window.a);
        cairo_paint(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_OVER);

        Rect bounds = Rect::from_size({}, options.size);
        LayoutContext layout { text, frame };
        root.sync(frame);
        root.build_layout(bounds, layout);
        root.apply_layout(bounds);
        Painter painter(cr, text, theme);
        root.draw(painter);
        root.draw_overlay(painter);

        cairo_destroy(cr);
        cairo_surface_flush(surface);
        cairo_surface_destroy(surface);
    }

}

base::Result<Image> OffscreenRenderer::render(Widget& root, RenderOptions const& options)
{
    DeviceSize size = TRY(device_size(options));
    Image image = Image::create(size.width, size.height);
    TextRenderer text;
    draw_pass(root, options, image, text);
    return image;
}

base::Result<Image> OffscreenRenderer::render_resilient(Widget& root, RenderOptions const& options)
{
    DeviceSize size = TRY(device_size(options));
    TextRenderer text;
    Image image;
    for (int pass = 0; pass < max_passes; ++pass) {
        // Each pass paints a fresh image so nothing of an unsettled frame shows through.
        image = Image::create(size.width, size.height);
        root.set_needs_layout(false);
        root.set_needs_redraw(false);
        draw_pass(root, options, image, text);
        if (!root.needs_layout() && !root.needs_redraw())
            break;
    }
    return image;
}

}
