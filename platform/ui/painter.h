#pragma once

// Drawing in logical pixels over cairo and pango. The window host and the
// off-screen renderer both hand widgets a Painter; widgets never touch cairo
// directly except through cairo() for special cases.

#include "ui/color.h"
#include "ui/geometry.h"
#include "ui/icons.h"
#include "ui/image.h"
#include "ui/text_renderer.h"
#include "ui/theme.h"

#include <string_view>
#include <vector>

typedef struct _cairo cairo_t;

namespace ui {

class Painter {
public:
    // Borrows the context, the text renderer and the theme for the painter's life.
    Painter(cairo_t* cr, TextRenderer& text, Theme const& theme);

    Theme const& theme() const { return m_theme; }
    TextRenderer& text() { return m_text; }
    cairo_t* cairo() { return m_cr; }

    void fill_rect(Rect rect, Color color);
    void stroke_rect(Rect rect, Color color, double width = 1);
    void fill_rounded_rect(Rect rect, double radius, Color color);
    void stroke_rounded_rect(Rect rect, double radius, Color color, double width = 1);
    void line(Point from, Point to, Color color, double width = 1);
    void fill_circle(Point center, double radius, Color color);
    void stroke_circle(Point center, double radius, Color color, double width = 1);

    // Clips are a stack; every push is matched by a pop.
    void push_clip(Rect rect);
    void push_rounded_clip(Rect rect, double radius);
    void pop_clip();

    // Everything painted until pop_layer is composited with `alpha`. Popping
    // more than was pushed is a programmer error (asserted).
    void push_layer(double alpha);
    void pop_layer();

    // A soft shadow under a floating panel of the given shape.
    void panel_shadow(Rect rect, double radius);

    // Scales `image` to cover `rect` (cropping the overflow, centred) with
    // rounded corners.
    void draw_image_cover(Image const& image, Rect rect, double corner_radius);

    void draw_text(std::string_view text, Rect rect, TextStyle const& style);
    void draw_icon(Icon icon, Rect rect, Color color);

private:
    cairo_t* m_cr;
    TextRenderer& m_text;
    Theme const& m_theme;
    int m_clip_depth { 0 };
    int m_layer_depth { 0 };
    std::vector<double> m_layer_alphas;
};

}
