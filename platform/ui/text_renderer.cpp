#include "ui/text_renderer.h"

#include "ui/utf8.h"

#include <algorithm>
#include <cmath>
#include <list>
#include <string>
#include <unordered_map>

#include <cairo.h>
#include <glib.h>
#include <pango/pangocairo.h>

namespace ui {

namespace {

    // Enough for every visible row of a large window several times over; older
    // layouts are dropped least recently used first.
    constexpr std::size_t cache_capacity = 4096;

    struct LayoutKey {
        std::string text;
        double size;
        FontWeight weight;
        bool monospace;
        int width; // pango units; -1 for an unbounded single line
        Ellipsize ellipsize;
        bool operator==(LayoutKey const&) const = default;
    };

    struct LayoutKeyHash {
        std::size_t operator()(LayoutKey const& key) const
        {
            std::size_t h = std::hash<std::string> {}(key.text);
            auto mix = [&](std::size_t value) { h ^= value + 0x9e3779b97f4a7c15ull + (h << 6) + (h >> 2); };
            mix(std::hash<double> {}(key.size));
            mix(static_cast<std::size_t>(key.weight));
            mix(static_cast<std::size_t>(key.monospace));
            mix(std::hash<int> {}(key.width));
            mix(static_cast<std::size_t>(key.ellipsize));
            return h;
        }
    };

    struct CachedLayout {
        PangoLayout* layout;
        Size size;
        double offset_x; // logical rectangle's x in the layout, logical pixels
    };

    PangoWeight pango_weight(FontWeight weight)
    {
        switch (weight) {
        case FontWeight::Regular:
            return PANGO_WEIGHT_NORMAL;
        case FontWeight::Medium:
            return PANGO_WEIGHT_MEDIUM;
        case FontWeight::Semibold:
            return PANGO_WEIGHT_SEMIBOLD;
        case FontWeight::Bold:
            return PANGO_WEIGHT_BOLD;
        }
        return PANGO_WEIGHT_NORMAL;
    }

    PangoEllipsizeMode pango_ellipsize(Ellipsize ellipsize)
    {
        switch (ellipsize) {
        case Ellipsize::None:
            return PANGO_ELLIPSIZE_NONE;
        case Ellipsize::End:
            return PANGO_ELLIPSIZE_END;
        case Ellipsize::Middle:
            return PANGO_ELLIPSIZE_MIDDLE;
        }
        return PANGO_ELLIPSIZE_NONE;
    }

    // File names need not be UTF-8; pango rejects such text, so invalid bytes
    // become U+FFFD and the rest of the name still shows.
    std::string displayable(std::string_view text)
    {
        if (is_valid_utf8(text))
            return std::string(text);
        gchar* valid = g_utf8_make_valid(text.data(), static_cast<gssize>(text.size()));
        std::string out(valid);
        g_free(valid);
        return out;
    }

    LayoutKey make_key(std::string_view text, Font const& font, double max_width, Ellipsize ellipsize)
    {
        int width = -1;
        if (ellipsize != Ellipsize::None && std::isfinite(max_width))
            width = static_cast<int>(std::max(0.0, max_width) * PANGO_SCALE);
        else
            ellipsize = Ellipsize::None;
        return { std::string(text), font.size, font.weight, font.monospace, width, ellipsize };
    }

}

struct TextRenderer::Impl {
    PangoFontMap* font_map { nullptr };
    PangoContext* context { nullptr };
    std::list<std::pair<LayoutKey, CachedLayout>> entries; // most recent first
    std::unordered_map<LayoutKey, decltype(entries)::iterator, LayoutKeyHash> index;
    std::size_t created { 0 };

    Impl()
    {
        font_map = pango_cairo_font_map_new();
        context = pango_font_map_create_context(font_map);
        // One pixel per point, so Font::size is in logical pixels.
        pango_cairo_context_set_resolution(context, 72.0);
        // Unhinted metrics keep a layout's size independent of the device
        // scale it is later drawn at, so one cache serves every scale.
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
        cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
        pango_cairo_context_set_font_options(context, options);
        cairo_font_options_destroy(options);
        pango_context_set_round_glyph_positions(context, FALSE);
    }

    ~Impl()
    {
        for (auto& [key, cached] : entries)
            g_object_unref(cached.layout);
        g_object_unref(context);
        g_object_unref(font_map);
    }

    CachedLayout const& lookup(LayoutKey key)
    {
        if (auto found = index.find(key); found != index.end()) {
            entries.splice(entries.begin(), entries, found->second);
            return found->second->second;
        }
        CachedLayout cached = shape(key);
        entries.emplace_front(std::move(key), cached);
        index.emplace(entries.front().first, entries.begin());
        if (entries.size() > cache_capacity) {
            g_object_unref(entries.back().second.layout);
            index.erase(entries.back().first);
            entries.pop_back();
        }
        return entries.front().second;
    }

    CachedLayout shape(LayoutKey const& key)
    {
        ++created;
        PangoLayout* layout = pango_layout_new(context);
        PangoFontDescription* description = pango_font_description_new();
        pango_font_description_set_family(
            description, key.monospace ? "DejaVu Sans Mono,monospace" : "Inter,DejaVu Sans,sans-serif");
        pango_font_description_set_weight(description, pango_weight(key.weight));
        pango_font_description_set_absolute_size(description, std::max(1.0, key.size) * PANGO_SCALE);
        pango_layout_set_font_description(layout, description);
        pango_font_description_free(description);
        pango_layout_set_single_paragraph_mode(layout, TRUE);
        if (key.width >= 0) {
            pango_layout_set_width(layout, key.width);
            pango_layout_set_ellipsize(layout, pango_ellipsize(key.ellipsize));
        }
        std::string text = displayable(key.text);
        pango_layout_set_text(layout, text.data(), static_cast<int>(text.size()));
        PangoRectangle logical;
        pango_layout_get_extents(layout, nullptr, &logical);
        double width = static_cast<double>(logical.width) / PANGO_SCALE;
        if (key.width >= 0)
            width = std::min(width, static_cast<double>(key.width) / PANGO_SCALE);
        return { layout, { width, static_cast<double>(logical.height) / PANGO_SCALE },
            static_cast<double>(logical.x) / PANGO_SCALE };
    }
};

TextRenderer::TextRenderer()
    : m_impl(std::make_unique<Impl>())
{
}

TextRenderer::~TextRenderer() = default;

Size TextRenderer::measure(std::string_view text, Font const& font, double max_width, Ellipsize ellipsize)
{
    return m_impl->lookup(make_key(text, font, max_width, ellipsize)).size;
}

void TextRenderer::draw_text(cairo_t* cr, std::string_view text, Rect rect, TextStyle const& style)
{
    if (text.empty() || rect.width() <= 0)
        return;
    CachedLayout const& cached = m_impl->lookup(make_key(text, style.font, rect.width(), style.ellipsize));
    double x = rect.left;
    switch (style.align) {
    case TextAlign::Start:
        break;
    case TextAlign::Center:
        x += (rect.width() - cached.size.width) / 2;
        break;
    case TextAlign::End:
        x += rect.width() - cached.size.width;
        break;
    }
    double y = rect.top + (rect.height() - cached.size.height) / 2;
    cairo_save(cr);
    cairo_set_source_rgba(cr, style.color.r, style.color.g, style.color.b, style.color.a);
    cairo_move_to(cr, x - cached.offset_x, y);
    pango_cairo_show_layout(cr, cached.layout);
    cairo_restore(cr);
}

std::size_t TextRenderer::layouts_created() const { return m_impl->created; }

}
