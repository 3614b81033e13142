#include "views/file_view_geometry.h"

#include <algorithm>
#include <cmath>

namespace files::views {

namespace {

    Hit hit_list_header(ui::Point point, HitContext const& c)
    {
        ListColumns columns = list_columns(c.content, c.scale);
        if (columns.name.contains(point.x))
            return HitHeader { model::SortKey::Name };
        if (columns.size && columns.size->contains(point.x))
            return HitHeader { model::SortKey::Size };
        if (columns.modified && columns.modified->contains(point.x))
            return HitHeader { model::SortKey::Modified };
        return HitHeader {};
    }

    Hit hit_list(ui::Point point, HitContext const& c)
    {
        double header = list_header_height(c.scale);
        double header_top = list_header_top(c.content, c.clip);
        if (point.y >= header_top && point.y < header_top + header)
            return hit_list_header(point, c);
        double offset = point.y - c.content.top - header;
        if (offset < 0)
            return HitNothing {};
        auto row = static_cast<std::size_t>(std::floor(offset / list_row_height(c.scale)));
        if (row < c.count)
            return HitEntry { row };
        return HitNothing {};
    }

    Hit hit_grid(ui::Point point, HitContext const& c)
    {
        GridMetrics grid = grid_metrics(c.content.width(), c.scale);
        double x = point.x - c.content.left - 10 * c.scale.z;
        double y = point.y - c.content.top - 10 * c.scale.z;
        if (x < 0 || y < 0)
            return HitNothing {};
        double step_x = grid.width + grid.gap;
        double step_y = grid.height + grid.gap;
        double column = std::floor(x / step_x);
        double row = std::floor(y / step_y);
        // In the gap between tiles.
        if (x - column * step_x >= grid.width || y - row * step_y >= grid.height)
            return HitNothing {};
        if (column >= static_cast<double>(grid.columns))
            return HitNothing {};
        double index = row * static_cast<double>(grid.columns) + column;
        if (index >= static_cast<double>(c.count))
            return HitNothing {};
        return HitEntry { static_cast<std::size_t>(index) };
    }

}

Hit hit_test(ui::Point point, HitContext const& c)
{
    if (point.x < c.content.left || point.x >= c.content.right || point.y < c.content.top)
        return HitNothing {};
    switch (c.mode) {
    case ViewMode::List:
        return hit_list(point, c);
    case ViewMode::Grid:
        return hit_grid(point, c);
    }
    return HitNothing {};
}

IndexRange visible_range(HitContext const& c, ui::Rect clip)
{
    double top = clip.top - c.content.top;
    double bottom = clip.bottom - c.content.top;
    double step = 0;
    std::size_t per_row = 1;
    switch (c.mode) {
    case ViewMode::List:
        top -= list_header_height(c.scale);
        bottom -= list_header_height(c.scale);
        step = list_row_height(c.scale);
        break;
    case ViewMode::Grid: {
        GridMetrics grid = grid_metrics(c.content.width(), c.scale);
        top -= 10 * c.scale.z;
        bottom -= 10 * c.scale.z;
        step = grid.height + grid.gap;
        per_row = grid.columns;
        break;
    }
    }
    if (step <= 0 || c.count == 0 || bottom < top)
        return {};
    double first_row = std::max(0.0, std::floor(top / step) - 1);
    double last_row = std::max(0.0, std::floor(bottom / step) + 2);
    double rows = static_cast<double>((c.count + per_row - 1) / per_row);
    IndexRange range;
    range.first = static_cast<std::size_t>(std::min(first_row, rows)) * per_row;
    range.last = std::min(c.count, static_cast<std::size_t>(std::min(last_row, rows)) * per_row);
    return range;
}

}
