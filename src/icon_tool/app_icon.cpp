#include "icon_tool/app_icon.h"

#include "ui/color.h"
#include "ui/geometry.h"
#include "ui/icons.h"

#include <cmath>
#include <numbers>
#include <string>
#include <system_error>

#include <cairo-svg.h>
#include <cairo.h>

namespace files::icon_tool {

namespace {

    constexpr ui::Color tile_top = ui::Color::rgb(0x4A86F0);
    constexpr ui::Color tile_bottom = ui::Color::rgb(0x2257C9);
    constexpr ui::Color glyph = ui::Color::rgb(0xFFFFFF);

    void rounded_square(cairo_t* cr, double left, double top, double side, double radius)
    {
        constexpr double pi = std::numbers::pi;
        double right = left + side;
        double bottom = top + side;
        cairo_new_sub_path(cr);
        cairo_arc(cr, right - radius, top + radius, radius, -pi / 2, 0);
        cairo_arc(cr, right - radius, bottom - radius, radius, 0, pi / 2);
        cairo_arc(cr, left + radius, bottom - radius, radius, pi / 2, pi);
        cairo_arc(cr, left + radius, top + radius, radius, pi, 3 * pi / 2);
        cairo_close_path(cr);
    }

    base::Result<void> surface_status(cairo_surface_t* surface, std::filesystem::path const& path)
    {
        auto status = cairo_surface_status(surface);
        if (status != CAIRO_STATUS_SUCCESS)
            return base::fail(path.string() + ": " + cairo_status_to_string(status));
        return {};
    }

    base::Result<void> write_svg(std::filesystem::path const& path, double size)
    {
        cairo_surface_t* surface = cairo_svg_surface_create(path.c_str(), size, size);
        cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_PX);
        cairo_t* cr = cairo_create(surface);
        draw_app_icon(cr, size);
        cairo_destroy(cr);
        cairo_surface_finish(surface);
        auto status = surface_status(surface, path);
        cairo_surface_destroy(surface);
        return status;
    }

    base::Result<void> write_png(std::filesystem::path const& path, int size)
    {
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
        cairo_t* cr = cairo_create(surface);
        draw_app_icon(cr, size);
        cairo_destroy(cr);
        cairo_surface_flush(surface);
        auto written = cairo_surface_write_to_png(surface, path.c_str());
        cairo_surface_destroy(surface);
        if (written != CAIRO_STATUS_SUCCESS)
            return base::fail(path.string() + ": " + cairo_status_to_string(written));
        return {};
    }

    base::Result<void> make_folder(std::filesystem::path const& folder)
    {
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        if (error)
            return base::fail(folder.string() + ": " + error.message());
        return {};
    }

}

void draw_app_icon(cairo_t* cr, double size)
{
    // The tile leaves a margin, as the theme's application icons do, so the
    // icon sits beside others of the same visual weight.
    double margin = std::round(size / 16);
    double side = size - 2 * margin;
    cairo_save(cr);
    rounded_square(cr, margin, margin, side, side * 0.22);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, margin, 0, margin + side);
    cairo_pattern_add_color_stop_rgb(fill, 0, tile_top.r, tile_top.g, tile_top.b);
    cairo_pattern_add_color_stop_rgb(fill, 1, tile_bottom.r, tile_bottom.g, tile_bottom.b);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);

    // The folder of the file view, large and white. Below 32 px its line art
    // would blur, so it fills more of the tile there.
    double scale = size < 32 ? 0.84 : 0.68;
    double glyph_side = side * scale;
    double left = margin + (side - glyph_side) / 2;
    double top = margin + (side - glyph_side) / 2;
    ui::draw_icon(cr, ui::Icon::Folder, ui::Rect { left, top, left + glyph_side, top + glyph_side }, glyph);
    cairo_restore(cr);
}

base::Result<void> write_icon_theme(std::filesystem::path const& folder, std::string const& name)
{
    auto scalable = folder / "hicolor" / "scalable" / "apps";
    TRY(make_folder(scalable));
    TRY(write_svg(scalable / (name + ".svg"), 128));
    for (int size : png_sizes) {
        auto sized = folder / "hicolor" / (std::to_string(size) + "x" + std::to_string(size)) / "apps";
        TRY(make_folder(sized));
        TRY(write_png(sized / (name + ".png"), size));
    }
    return {};
}

}
