#include "ui/painter.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <numbers>

#include <cairo.h>

namespace ui {

namespace {

    void set_color(cairo_t* cr, Color const& color) { cairo_set_source_rgba(cr, color.r, color.g, color.b, color.a); }

    void rounded_rect_path(cairo_t* cr, Rect rect, double radius)
    {
        double r = std::clamp(radius, 0.0, std::min(rect.width(), rect.height()) / 2);
        cairo_new_sub_path(cr);
        if (r <= 0) {
            cairo_rectangle(cr, rect.left, rect.top, rect.width(), rect.height());
            return;
        }
        constexpr double quarter = std::numbers::pi / 2;
        cairo_arc(cr, rect.right - r, rect.top + r, r, -quarter, 0);
        cairo_arc(cr, rect.right - r, rect.bottom - r, r, 0, quarter);
        cairo_arc(cr, rect.left + r, rect.bottom - r, r, quarter, 2 * quarter);
        cairo_arc(cr, rect.left + r, rect.top + r, r, 2 * quarter, 3 * quarter);
        cairo_close_path(cr);
    }

}

Painter::Painter(cairo_t* cr, TextRenderer& text, Theme const& theme)
    : m_cr(cr)
    , m_text(text)
    , m_theme(theme)
{
}

void Painter::fill_rect(Rect rect, Color color)
{
    if (rect.is_empty())
        return;
    set_color(m_cr, color);
    cairo_rectangle(m_cr, rect.left, rect.top, rect.width(), rect.height());
    cairo_fill(m_cr);
}

void Painter::stroke_rect(Rect rect, Color color, double width)
{
    // Inset by half the line so the stroke stays inside the rectangle.
    Rect inner = rect.inset(width / 2);
    set_color(m_cr, color);
    cairo_set_line_width(m_cr, width);
    cairo_rectangle(m_cr, inner.left, inner.top, inner.width(), inner.height());
    cairo_stroke(m_cr);
}

void Painter::fill_rounded_rect(Rect rect, double radius, Color color)
{
    if (rect.is_empty())
        return;
    set_color(m_cr, color);
    rounded_rect_path(m_cr, rect, radius);
    cairo_fill(m_cr);
}

void Painter::stroke_rounded_rect(Rect rect, double radius, Color color, double width)
{
    Rect inner = rect.inset(width / 2);
    set_color(m_cr, color);
    cairo_set_line_width(m_cr, width);
    rounded_rect_path(m_cr, inner, std::max(0.0, radius - width / 2));
    cairo_stroke(m_cr);
}

void Painter::line(Point from, Point to, Color color, double width)
{
    set_color(m_cr, color);
    cairo_set_line_width(m_cr, width);
    cairo_set_line_cap(m_cr, CAIRO_LINE_CAP_BUTT);
    cairo_move_to(m_cr, from.x, from.y);
    cairo_line_to(m_cr, to.x, to.y);
    cairo_stroke(m_cr);
}

void Painter::fill_circle(Point center, double radius, Color color)
{
    set_color(m_cr, color);
    cairo_new_sub_path(m_cr);
    cairo_arc(m_cr, center.x, center.y, radius, 0, 2 * std::numbers::pi);
    cairo_fill(m_cr);
}

void Painter::stroke_circle(Point center, double radius, Color color, double width)
{
    set_color(m_cr, color);
    cairo_set_line_width(m_cr, width);
    cairo_new_sub_path(m_cr);
    cairo_arc(m_cr, center.x, center.y, radius, 0, 2 * std::numbers::pi);
    cairo_stroke(m_cr);
}

void Painter::push_clip(Rect rect)
{
    cairo_save(m_cr);
    cairo_rectangle(m_cr, rect.left, rect.top, std::max(0.0, rect.width()), std::max(0.0, rect.height()));
    cairo_clip(m_cr);
    ++m_clip_depth;
}

void Painter::push_rounded_clip(Rect rect, double radius)
{
    cairo_save(m_cr);
    if (rect.is_empty())
        cairo_rectangle(m_cr, rect.left, rect.top, 0, 0);
    else
        rounded_rect_path(m_cr, rect, radius);
    cairo_clip(m_cr);
    ++m_clip_depth;
}

void Painter::pop_clip()
{
    assert(m_clip_depth > 0 && "pop_clip without a matching push_clip");
    if (m_clip_depth <= 0)
        return;
    --m_clip_depth;
    cairo_restore(m_cr);
}

void Painter::push_layer(double alpha)
{
    cairo_push_group(m_cr);
    m_layer_alphas.push_back(std::clamp(alpha, 0.0, 1.0));
    ++m_layer_depth;
}

void Painter::pop_layer()
{
    assert(m_layer_depth > 0 && "pop_layer without a matching push_layer");
    if (m_layer_depth <= 0)
        return;
    --m_layer_depth;
    double alpha = m_layer_alphas.back();
    m_layer_alphas.pop_back();
    cairo_pop_group_to_source(m_cr);
    cairo_paint_with_alpha(m_cr, alpha);
}

void Painter::panel_shadow(Rect rect, double radius)
{
    // Stacked translucent rounded rectangles, each a little larger and lower,
    // approximate a soft blur without an image filter: a tight contact shadow
    // plus a wide ambient one.
    constexpr int steps = 8;
    for (int i = steps; i >= 1; --i) {
        double spread = i * 1.5;
        double drop = 1.0 + i * 0.75;
        Rect layer { rect.left - spread, rect.top - spread + drop, rect.right + spread, rect.bottom + spread + drop };
        fill_rounded_rect(layer, radius + spread, Color { 0.06, 0.09, 0.16, 0.018 });
    }
    Rect contact { rect.left - 0.5, rect.top, rect.right + 0.5, rect.bottom + 1.5 };
    fill_rounded_rect(contact, radius + 0.5, Color { 0.06, 0.09, 0.16, 0.08 });
}

void Painter::draw_image_cover(Image const& image, Rect rect, double corner_radius)
{
    if (image.is_null() || rect.is_empty())
        return;
    // Cairo only reads the pixels here.
    auto* pixels = const_cast<unsigned char*>(image.data());
    cairo_surface_t* surface = cairo_image_surface_create_for_data(
        pixels, CAIRO_FORMAT_ARGB32, image.width(), image.height(), image.stride());
    double scale = std::max(rect.width() / image.width(), rect.height() / image.height());
    double offset_x = rect.left + (rect.width() - image.width() * scale) / 2;
    double offset_y = rect.top + (rect.height() - image.height() * scale) / 2;
    push_rounded_clip(rect, corner_radius);
    cairo_translate(m_cr, offset_x, offset_y);
    cairo_scale(m_cr, scale, scale);
    cairo_set_source_surface(m_cr, surface, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(m_cr), CAIRO_FILTER_GOOD);
    cairo_paint(m_cr);
    pop_clip();
    cairo_surface_destroy(surface);
}

void Painter::draw_text(std::string_view text, Rect rect, TextStyle const& style)
{
    m_text.draw_text(m_cr, text, rect, style);
}

void Painter::draw_icon(Icon icon, Rect rect, Color color) { ui::draw_icon(m_cr, icon, rect, color); }

}
