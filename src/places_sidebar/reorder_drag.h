#pragma once

// The state of a press on a favourite row and the reorder drag it may turn
// into. A release reports a move when the row would land elsewhere and a
// plain click (navigate) otherwise.

#include "places_sidebar/sidebar_geometry.h"

#include <cstddef>

namespace files::places_sidebar {

// How far the pointer travels before the row lifts off as a card.
inline constexpr double drag_lift_distance = 4;

struct ReorderDrag {
    std::size_t from { 0 };
    // Pointer y minus the row's top at the press.
    double grab_offset { 0 };
    ui::Point press;
    ui::Point pointer;
    std::size_t drop { 0 };
    // True once the pointer left the lift distance; only then does the row
    // follow the pointer and the drop index change.
    bool lifted { false };

    static ReorderDrag start(SidebarGeometry const& geometry, std::size_t row, ui::Point press);
    void update(SidebarGeometry const& geometry, ui::Point position);
    bool moves_row() const { return lifted && drop != from; }
    // The top of the lifted card.
    double card_top() const { return pointer.y - grab_offset; }
};

}
