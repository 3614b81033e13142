#include "places_sidebar/sidebar_geometry.h"

#include <algorithm>
#include <cmath>

namespace files::places_sidebar {

std::optional<std::size_t> SidebarGeometry::row_at(ui::Point point) const
{
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].contains(point))
            return i;
    }
    return std::nullopt;
}

SidebarGeometry sidebar_geometry(ui::Rect bounds, std::size_t favourites, std::size_t system_rows, double scale)
{
    SidebarGeometry geometry;
    geometry.favourite_count = favourites;
    double const left = bounds.left + sidebar_margin;
    double const right = std::max(left, bounds.right - sidebar_margin);
    double const header = section_header_height * scale;
    double const row = place_row_height * scale;
    double y = bounds.top + sidebar_margin;
    if (favourites > 0) {
        geometry.favourites_header = ui::Rect { left, y, right, y + header };
        y += header;
        for (std::size_t i = 0; i < favourites; ++i, y += row)
            geometry.rows.push_back({ left, y, right, y + row });
        y += sidebar_margin;
    }
    geometry.system_header = { left, y, right, y + header };
    y += header;
    for (std::size_t i = 0; i < system_rows; ++i, y += row)
        geometry.rows.push_back({ left, y, right, y + row });
    return geometry;
}

std::size_t drop_index(SidebarGeometry const& geometry, double card_top)
{
    if (geometry.favourite_count == 0)
        return 0;
    double const first_top = geometry.rows.front().top;
    double const row = geometry.rows.front().height();
    double const centre = card_top + row / 2;
    double slot = std::floor((centre - first_top) / row);
    slot = std::clamp(slot, 0.0, static_cast<double>(geometry.favourite_count - 1));
    return static_cast<std::size_t>(slot);
}

double shifted_row_top(SidebarGeometry const& geometry, std::size_t index, std::size_t from, std::size_t to)
{
    double const top = geometry.rows[index].top;
    double const row = geometry.rows[index].height();
    if (from < to && index > from && index <= to)
        return top - row;
    if (to < from && index >= to && index < from)
        return top + row;
    return top;
}

}
