#pragma once

// Where the file view puts things, as plain functions of the content
// rectangle, the item count and the two scale factors. Drawing, hit testing,
// accessibility and the tests all use these, so there is one answer.

#include "model/entry.h"
#include "ui/geometry.h"

#include <cstddef>
#include <optional>
#include <variant>

namespace files::views {

using ViewMode = model::ViewMode;

// z is the item scale (1 + 0.15 x zoom level), u the interface scale.
struct ItemScale {
    double z { 1 };
    double u { 1 };
};

// Half-open horizontal range [left, right).
struct ColumnSpan {
    double left { 0 };
    double right { 0 };
    bool contains(double x) const { return x >= left && x < right; }
};

struct ListColumns {
    ColumnSpan name;
    std::optional<ColumnSpan> size;
    std::optional<ColumnSpan> modified;
};

double list_header_height(ItemScale scale);
double list_row_height(ItemScale scale);
// Row i spans the full content width below the header.
ui::Rect list_row_rect(std::size_t index, ui::Rect content, ItemScale scale);
// Size appears when the content is wider than 340·z·u, Modified when wider
// than 560·z·u; Name takes what is left.
ListColumns list_columns(ui::Rect content, ItemScale scale);
double list_content_height(std::size_t count, ItemScale scale);
// The sticky header's top: the content top, or the visible top once scrolled.
double list_header_top(ui::Rect content, std::optional<ui::Rect> clip);
// The 18·z icon square at the Name column's left edge + 4, centred in the row.
ui::Rect list_icon_rect(ui::Rect row, ListColumns const& columns, ItemScale scale);
// The name label: 12 px right of the icon up to 12 px before the Name column ends.
ui::Rect list_label_rect(ui::Rect row, ui::Rect icon, ListColumns const& columns);
ui::Rect list_editor_rect(ui::Rect row, ui::Rect label, ListColumns const& columns, double text_inset);

struct GridMetrics {
    double width { 0 };
    double height { 0 };
    double gap { 0 };
    std::size_t columns { 1 };
};

// Tile size and column count for a content width. Tiles shrink only when two
// base tiles do not fit but two tiles of at least 132 px would.
GridMetrics grid_metrics(double content_width, ItemScale scale);
ui::Rect grid_tile_rect(std::size_t index, ui::Rect content, GridMetrics const& grid, ItemScale scale);
double grid_content_height(std::size_t count, GridMetrics const& grid, ItemScale scale);
// The width asked for when no width is offered: one tile plus the margins.
double grid_preferred_width(ItemScale scale);

struct GridTileParts {
    ui::Rect icon;
    ui::Rect label;
};
// The icon (a folder's at most 46·z) centred in its band, and the label line
// 6·z below the band, 10 px narrower than the tile.
GridTileParts grid_tile_parts(ui::Rect tile, bool is_folder, double line_height, ItemScale scale);
ui::Rect grid_editor_rect(ui::Rect tile, ui::Rect label);

// What a point in content coordinates falls on.
struct HitNothing {
    bool operator==(HitNothing const&) const = default;
};
struct HitHeader {
    std::optional<model::SortKey> column;
    bool operator==(HitHeader const&) const = default;
};
struct HitEntry {
    std::size_t index { 0 };
    bool operator==(HitEntry const&) const = default;
};
using Hit = std::variant<HitNothing, HitHeader, HitEntry>;

struct HitContext {
    ViewMode mode { ViewMode::List };
    ui::Rect content;
    std::optional<ui::Rect> clip;
    std::size_t count { 0 };
    ItemScale scale;
};
Hit hit_test(ui::Point point, HitContext const& context);

// The first and one-past-last index whose rows meet `clip`, widened by one
// row on each side and limited to [0, count).
struct IndexRange {
    std::size_t first { 0 };
    std::size_t last { 0 };
    bool empty() const { return first >= last; }
};
IndexRange visible_range(HitContext const& context, ui::Rect clip);

}
