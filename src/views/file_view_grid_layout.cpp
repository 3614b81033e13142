#include "views/file_view_geometry.h"

#include <algorithm>
#include <cmath>

namespace files::views {

namespace {

    constexpr double margin = 10;
    constexpr double min_shrunk_width = 132;
    constexpr double rounding_tolerance = 1e-9;

    double base_width(ItemScale s) { return 112 * s.z * s.u; }
    double base_height(ItemScale s) { return 104 * s.z + 36 * s.z * std::max(s.u - 1, 0.0); }
    double gap(ItemScale s) { return 16 * s.z * std::sqrt(s.u); }

}

GridMetrics grid_metrics(double content_width, ItemScale s)
{
    GridMetrics grid;
    grid.gap = gap(s);
    double usable = std::max(content_width - 2 * margin * s.z, 0.0);
    double half = std::max((usable - grid.gap) / 2, 0.0);
    grid.width = base_width(s);
    grid.height = base_height(s);
    if (usable < 2 * base_width(s) + grid.gap && half >= min_shrunk_width) {
        grid.width = half;
        grid.height = std::min(base_height(s), 0.9 * half);
    }
    double step = grid.width + grid.gap;
    grid.columns = 1;
    // A shrunk tile is exactly half of what remains, so the quotient is 2 up
    // to rounding; the tolerance keeps it from flooring to 1.
    if (step > 0)
        grid.columns = std::max<std::size_t>(
            1, static_cast<std::size_t>(std::floor((usable + grid.gap) / step + rounding_tolerance)));
    return grid;
}

ui::Rect grid_tile_rect(std::size_t index, ui::Rect content, GridMetrics const& grid, ItemScale s)
{
    std::size_t column = index % grid.columns;
    std::size_t row = index / grid.columns;
    double left = content.left + margin * s.z + static_cast<double>(column) * (grid.width + grid.gap);
    double top = content.top + margin * s.z + static_cast<double>(row) * (grid.height + grid.gap);
    return { left, top, left + grid.width, top + grid.height };
}

double grid_content_height(std::size_t count, GridMetrics const& grid, ItemScale s)
{
    std::size_t rows = (count + grid.columns - 1) / grid.columns;
    return margin * s.z + static_cast<double>(rows) * (grid.height + grid.gap);
}

double grid_preferred_width(ItemScale s) { return base_width(s) + 2 * margin * s.z; }

GridTileParts grid_tile_parts(ui::Rect tile, bool is_folder, double line_height, ItemScale s)
{
    double top_margin = 12 * s.z;
    double band = std::min(std::max(tile.height() - top_margin - line_height - 14 * s.z, 44.0), 59.8 * s.z);
    double side = is_folder ? std::min(band, 46 * s.z) : band;
    double band_top = tile.top + top_margin;
    double icon_left = tile.left + (tile.width() - side) / 2;
    double icon_top = band_top + (band - side) / 2;
    double label_top = band_top + band + 6 * s.z;
    return {
        { icon_left, icon_top, icon_left + side, icon_top + side },
        { tile.left + 5, label_top, std::max(tile.left + 5, tile.right - 5), label_top + line_height },
    };
}

ui::Rect grid_editor_rect(ui::Rect tile, ui::Rect label)
{
    return { tile.left + 6, label.top - 4, tile.right - 6, label.bottom + 6 };
}

}
