#include "views/scaled_thumbnails.h"

#include "ui/painter.h"

#include <algorithm>
#include <cmath>

#include <cairo.h>
#include <fmt/format.h>

namespace files::views {

namespace {

    constexpr int max_side = 2048;

    // Scales `source` to cover width x height, cropping the overflow evenly.
    ui::Image cover(ui::Image const& source, int width, int height)
    {
        ui::Image out = ui::Image::create(width, height);
        cairo_surface_t* target
            = cairo_image_surface_create_for_data(out.mutable_data(), CAIRO_FORMAT_ARGB32, width, height, out.stride());
        // Cairo only reads the source pixels.
        auto* pixels = const_cast<unsigned char*>(source.data());
        cairo_surface_t* image = cairo_image_surface_create_for_data(
            pixels, CAIRO_FORMAT_ARGB32, source.width(), source.height(), source.stride());
        cairo_t* cr = cairo_create(target);
        double scale
            = std::max(static_cast<double>(width) / source.width(), static_cast<double>(height) / source.height());
        cairo_translate(cr, (width - source.width() * scale) / 2, (height - source.height() * scale) / 2);
        cairo_scale(cr, scale, scale);
        cairo_set_source_surface(cr, image, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
        cairo_paint(cr);
        cairo_destroy(cr);
        cairo_surface_destroy(image);
        cairo_surface_flush(target);
        cairo_surface_destroy(target);
        return out;
    }

    std::size_t cost(ui::Image const& image)
    {
        return static_cast<std::size_t>(image.stride()) * static_cast<std::size_t>(image.height());
    }

}

ui::Image const& ScaledThumbnails::scaled(services::ThumbKey const& key, ui::Image const& source, int width, int height)
{
    std::string id = fmt::format("{}/{}x{}", key.text(), width, height);
    if (auto found = m_index.find(id); found != m_index.end()) {
        m_order.splice(m_order.begin(), m_order, found->second);
        return found->second->second;
    }
    ui::Image image = cover(source, width, height);
    ++m_scaled;
    m_bytes += cost(image);
    m_order.emplace_front(id, std::move(image));
    m_index.emplace(std::move(id), m_order.begin());
    // The image just made is never the one evicted.
    while (m_bytes > m_budget && m_order.size() > 1) {
        m_bytes -= cost(m_order.back().second);
        m_index.erase(m_order.back().first);
        m_order.pop_back();
    }
    return m_order.front().second;
}

void ScaledThumbnails::paint(
    ui::Painter& painter, services::ThumbKey const& key, ui::Image const& source, ui::Rect rect, double corner_radius)
{
    if (source.is_null() || rect.is_empty())
        return;
    cairo_t* cr = painter.cairo();
    double left = rect.left;
    double top = rect.top;
    double right = rect.right;
    double bottom = rect.bottom;
    cairo_user_to_device(cr, &left, &top);
    cairo_user_to_device(cr, &right, &bottom);
    int device_left = static_cast<int>(std::lround(left));
    int device_top = static_cast<int>(std::lround(top));
    int width = static_cast<int>(std::lround(right)) - device_left;
    int height = static_cast<int>(std::lround(bottom)) - device_top;
    if (width <= 0 || height <= 0 || width > max_side || height > max_side) {
        painter.draw_image_cover(source, rect, corner_radius);
        return;
    }
    ui::Image const& image = scaled(key, source, width, height);
    painter.push_rounded_clip(rect, corner_radius);
    cairo_save(cr);
    cairo_identity_matrix(cr);
    auto* pixels = const_cast<unsigned char*>(image.data());
    cairo_surface_t* surface = cairo_image_surface_create_for_data(
        pixels, CAIRO_FORMAT_ARGB32, image.width(), image.height(), image.stride());
    cairo_set_source_surface(cr, surface, device_left, device_top);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(surface);
    painter.pop_clip();
}

}
