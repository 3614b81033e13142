#pragma once

// Lays out and draws a widget tree at a size into an image, with no window.
// Screenshot scenes and the automation endpoint's "render" use it.

#include "base/result.h"
#include "ui/image.h"
#include "ui/widget.h"

namespace ui {

class Theme;

struct RenderOptions {
    Size size { 1280, 800 };  // logical pixels
    double scale { 1.0 };     // device pixels per logical pixel
    Theme const* theme { nullptr }; // null: the light theme
    FrameContext frame {};
};

class OffscreenRenderer {
public:
    // One pass: sync, build_layout, apply_layout, draw, draw_overlay.
    static base::Result<Image> render(Widget& root, RenderOptions const& options);

    // Renders, then keeps rendering while the tree asks for layout or redraw
    // after a pass (up to a few passes), so state settled during the first
    // draw (first layout, collected results) shows in the image. Never fails
    // for a widget that draws nothing: the result is the background.
    static base::Result<Image> render_resilient(Widget& root, RenderOptions const& options);
};

}
