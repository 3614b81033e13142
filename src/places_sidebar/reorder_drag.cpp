#include "places_sidebar/reorder_drag.h"

#include <cmath>

namespace files::places_sidebar {

ReorderDrag ReorderDrag::start(SidebarGeometry const& geometry, std::size_t row, ui::Point press)
{
    ReorderDrag drag;
    drag.from = row;
    drag.drop = row;
    drag.grab_offset = press.y - geometry.rows[row].top;
    drag.press = press;
    drag.pointer = press;
    return drag;
}

void ReorderDrag::update(SidebarGeometry const& geometry, ui::Point position)
{
    pointer = position;
    if (!lifted)
        lifted = std::hypot(position.x - press.x, position.y - press.y) >= drag_lift_distance;
    if (lifted)
        drop = drop_index(geometry, card_top());
}

}
