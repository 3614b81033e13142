#pragma once

// Text measuring and drawing over pango, with a cache of layouts keyed by
// (text, font, width limit, ellipsizing) so nothing is shaped twice.

#include "ui/color.h"
#include "ui/geometry.h"

#include <cstdint>
#include <limits>
#include <memory>
#include <string_view>

typedef struct _cairo cairo_t;

namespace ui {

enum class FontWeight : std::uint8_t {
    Regular,
    Medium,
    Semibold,
    Bold,
};

struct Font {
    double size { 13 }; // logical pixels
    FontWeight weight { FontWeight::Regular };
    bool monospace { false };
    bool operator==(Font const&) const = default;
};

enum class TextAlign : std::uint8_t {
    Start,
    Center,
    End,
};

enum class Ellipsize : std::uint8_t {
    None,
    End,
    Middle,
};

struct TextStyle {
    Font font {};
    Color color {};
    TextAlign align { TextAlign::Start };
    Ellipsize ellipsize { Ellipsize::End };
};

class TextRenderer {
public:
    TextRenderer();
    ~TextRenderer();
    TextRenderer(TextRenderer const&) = delete;
    TextRenderer& operator=(TextRenderer const&) = delete;

    // The size of `text` on one line; with a finite `max_width` and an
    // ellipsizing mode, the width is at most `max_width`.
    Size measure(std::string_view text, Font const& font,
        double max_width = std::numeric_limits<double>::infinity(), Ellipsize ellipsize = Ellipsize::None);

    // Draws one line inside `rect`, vertically centred, aligned and
    // ellipsized to the rectangle's width as the style says.
    void draw_text(cairo_t* cr, std::string_view text, Rect rect, TextStyle const& style);

    // Number of layouts shaped since construction (cache misses), for tests
    // and benchmarks.
    std::size_t layouts_created() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}
