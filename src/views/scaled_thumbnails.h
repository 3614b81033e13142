#pragma once

// Thumbnails already cropped and scaled to the device pixels of the box
// they are drawn in. Scaling a 256 px image down with a good filter costs
// far more than copying pixels, and a grid shows dozens of them every
// frame, so each is scaled once per box size and then only copied.

#include "services/thumbnails/thumb_key.h"
#include "ui/geometry.h"
#include "ui/image.h"

#include <list>
#include <string>
#include <unordered_map>

namespace ui {
class Painter;
}

namespace files::views {

class ScaledThumbnails {
public:
    explicit ScaledThumbnails(std::size_t budget_bytes = 24u << 20)
        : m_budget(budget_bytes)
    {
    }

    // Paints `source` cover-fitted into `rect` with rounded corners, scaling
    // it at most once for each device size it is shown at.
    void paint(ui::Painter& painter, services::ThumbKey const& key, ui::Image const& source, ui::Rect rect,
        double corner_radius);

    std::size_t scaled_count() const { return m_scaled; }

private:
    ui::Image const& scaled(services::ThumbKey const& key, ui::Image const& source, int width, int height);

    std::size_t m_budget;
    std::size_t m_bytes { 0 };
    std::size_t m_scaled { 0 };
    std::list<std::pair<std::string, ui::Image>> m_order; // most recent first
    std::unordered_map<std::string, decltype(m_order)::iterator> m_index;
};

}
