#pragma once

// Where the places sidebar puts its section headers and rows, and where a
// dragged favourite would land. Plain functions so tests can check them
// apart from painting.

#include "ui/geometry.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace files::places_sidebar {

// Logical pixels; heights are multiplied by the interface scale.
inline constexpr double sidebar_margin = 12;
inline constexpr double section_header_height = 26;
inline constexpr double place_row_height = 34;

struct SidebarGeometry {
    // Absent when there are no favourites.
    std::optional<ui::Rect> favourites_header;
    ui::Rect system_header;
    // Favourite rows first, then system rows: the numbering of focus and hover.
    std::vector<ui::Rect> rows;
    std::size_t favourite_count { 0 };

    // The row under `point`, if any.
    std::optional<std::size_t> row_at(ui::Point point) const;
    bool is_favourite(std::size_t row) const { return row < favourite_count; }
};

// Rows span bounds.left + 12 to bounds.right - 12. With favourites, their
// header starts 12 below the top and the System header 12 below the last
// favourite; without, the System header starts 12 below the top.
SidebarGeometry sidebar_geometry(ui::Rect bounds, std::size_t favourites, std::size_t system_rows, double scale);

// The favourite index a card whose top is at `card_top` would drop at:
// the slot its centre lies in, clamped to the list.
std::size_t drop_index(SidebarGeometry const& geometry, double card_top);

// The top at which favourite `index` is drawn while the favourite `from`
// is dragged toward `to`: the rows between them shift by one row to open
// a gap at `to`.
double shifted_row_top(SidebarGeometry const& geometry, std::size_t index, std::size_t from, std::size_t to);

}
