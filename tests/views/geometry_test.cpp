#include "views/file_view_geometry.h"

#include <cmath>

#include <gtest/gtest.h>

namespace {

using namespace files::views;
using files::model::SortKey;

constexpr double eps = 1e-9;

ui::Rect content_of_width(double width) { return { 0, 0, width, 1000 }; }

TEST(ListGeometry, RowAndHeaderHeightsFollowTheItemScale)
{
    struct Case {
        double z;
        double u;
        double header;
        double row;
    };
    Case const cases[] = { { 1.0, 1.0, 30, 34 }, { 1.9, 1.0, 57, 64.6 }, { 0.7, 1.0, 21, 23.8 }, { 1.0, 2.0, 60, 68 } };
    for (auto const& c : cases) {
        SCOPED_TRACE(testing::Message() << "z=" << c.z << " u=" << c.u);
        ItemScale s { c.z, c.u };
        EXPECT_NEAR(list_header_height(s), c.header, eps);
        EXPECT_NEAR(list_row_height(s), c.row, eps);
        ui::Rect row2 = list_row_rect(2, { 5, 100, 405, 900 }, s);
        EXPECT_NEAR(row2.top, 100 + c.header + 2 * c.row, eps);
        EXPECT_NEAR(row2.height(), c.row, eps);
        EXPECT_EQ(row2.left, 5);
        EXPECT_EQ(row2.right, 405);
        EXPECT_NEAR(list_content_height(10, s), c.header + 10 * c.row + 6, eps);
    }
}

TEST(ListGeometry, ColumnsAppearPastTheirWidthThresholds)
{
    struct Case {
        double width;
        bool size;
        bool modified;
    };
    Case const cases[] = { { 340, false, false }, { 341, true, false }, { 560, true, false }, { 561, true, true } };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.width);
        ListColumns columns = list_columns(content_of_width(c.width), {});
        EXPECT_EQ(columns.size.has_value(), c.size);
        EXPECT_EQ(columns.modified.has_value(), c.modified);
        EXPECT_EQ(columns.name.left, 10);
    }
    ListColumns all = list_columns(content_of_width(800), {});
    EXPECT_EQ(all.modified->right, 790);
    EXPECT_EQ(all.modified->left, 790 - 158);
    EXPECT_EQ(all.size->right, 790 - 158 - 10);
    EXPECT_EQ(all.size->left, 790 - 158 - 10 - 96);
    EXPECT_EQ(all.name.right, all.size->left - 10);
    EXPECT_EQ(list_columns(content_of_width(200), {}).name.right, 190);
}

TEST(ListGeometry, IconLabelAndEditorRectangles)
{
    ItemScale s {};
    ui::Rect content = content_of_width(800);
    ListColumns columns = list_columns(content, s);
    ui::Rect row = list_row_rect(0, content, s);
    ui::Rect icon = list_icon_rect(row, columns, s);
    EXPECT_EQ(icon, (ui::Rect { 14, 38, 32, 56 }));
    ui::Rect label = list_label_rect(row, icon, columns);
    EXPECT_EQ(label.left, 44);
    EXPECT_EQ(label.right, columns.name.right - 12);
    EXPECT_EQ(list_editor_rect(row, label, columns, 6), (ui::Rect { 38, 32, columns.name.right - 4, 62 }));
    // A Name column narrower than the label's start leaves no room, never a negative width.
    ListColumns narrow = list_columns(content_of_width(30), s);
    EXPECT_EQ(list_label_rect(row, list_icon_rect(row, narrow, s), narrow).width(), 0);
}

TEST(GridGeometry, TileSizeAndColumnCountByWidth)
{
    struct Case {
        double width;
        double z;
        double tile_width;
        double tile_height;
        std::size_t columns;
    };
    Case const cases[] = {
        { 250, 1.0, 112, 104, 1 }, // two base tiles need 240; (230-16)/2 = 107 < 132
        { 259, 1.0, 112, 104, 1 }, // usable 239 < 240; 111.5 < 132
        { 283, 1.0, 112, 104, 2 },
        { 290, 1.0, 112, 104, 2 },
        { 300, 1.0, 112, 104, 2 }, // floor(296 / 128) = 2
        { 400, 1.9, 165.8, 149.22, 2 }, // shrunk: 362 < 456, (362 - 30.4)/2 = 165.8
        { 1280, 1.0, 112, 104, 9 },
        { 0, 1.0, 112, 104, 1 },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " px at z=" << c.z);
        GridMetrics grid = grid_metrics(c.width, { c.z, 1.0 });
        EXPECT_NEAR(grid.width, c.tile_width, 1e-6);
        EXPECT_NEAR(grid.height, c.tile_height, 1e-6);
        EXPECT_EQ(grid.columns, c.columns);
    }
}

TEST(GridGeometry, TilesContentHeightAndPreferredWidth)
{
    ItemScale s {};
    GridMetrics grid = grid_metrics(300, s);
    ui::Rect content { 0, 50, 300, 2000 };
    EXPECT_EQ(grid_tile_rect(0, content, grid, s), (ui::Rect { 10, 60, 122, 164 }));
    EXPECT_EQ(grid_tile_rect(3, content, grid, s), (ui::Rect { 138, 180, 250, 284 }));
    EXPECT_EQ(grid_content_height(3, grid, s), 10 + 2 * 120);
    EXPECT_EQ(grid_content_height(0, grid, s), 10);
    EXPECT_EQ(grid_preferred_width(s), 132);
    // A wider interface scale grows the tile height and the gap.
    GridMetrics scaled = grid_metrics(1000, { 1.0, 2.0 });
    EXPECT_NEAR(scaled.height, 140, eps);
    EXPECT_NEAR(scaled.gap, 16 * std::sqrt(2.0), eps);
}

TEST(GridGeometry, TileIconBandAndLabel)
{
    ItemScale s {};
    ui::Rect tile { 10, 10, 122, 114 };
    GridTileParts file = grid_tile_parts(tile, false, 16, s);
    // band = min(max(104 - 12 - 16 - 14, 44), 59.8) = 59.8
    EXPECT_NEAR(file.icon.width(), 59.8, eps);
    EXPECT_NEAR(file.icon.top, 22, eps);
    EXPECT_NEAR(file.icon.left, 10 + (112 - 59.8) / 2, eps);
    EXPECT_NEAR(file.label.top, 22 + 59.8 + 6, eps);
    EXPECT_EQ(file.label.width(), 102);
    GridTileParts folder = grid_tile_parts(tile, true, 16, s);
    EXPECT_NEAR(folder.icon.width(), 46, eps);
    EXPECT_NEAR(folder.icon.center().y, file.icon.center().y, eps);
    EXPECT_EQ(grid_editor_rect(tile, file.label), (ui::Rect { 16, file.label.top - 4, 116, file.label.bottom + 6 }));
    // A short tile keeps a 44 px band.
    EXPECT_NEAR(grid_tile_parts({ 0, 0, 112, 60 }, false, 16, s).icon.height(), 44, eps);
}

TEST(HitTest, ListHeaderRowsAndOutside)
{
    HitContext c { ViewMode::List, { 0, 0, 800, 2000 }, std::nullopt, 5, {} };
    ListColumns columns = list_columns(c.content, c.scale);
    struct Case {
        char const* what;
        ui::Point point;
        Hit hit;
    };
    Case const cases[] = {
        { "name header", { 20, 10 }, HitHeader { SortKey::Name } },
        { "size header", { columns.size->left + 1, 29 }, HitHeader { SortKey::Size } },
        { "modified header", { 789, 0 }, HitHeader { SortKey::Modified } },
        { "header gap", { columns.size->left - 5, 10 }, HitHeader {} },
        { "first row", { 400, 30 }, HitEntry { 0 } },
        { "last row", { 400, 30 + 5 * 34 - 0.5 }, HitEntry { 4 } },
        { "below the rows", { 400, 30 + 5 * 34 }, HitNothing {} },
        { "left of the view", { -1, 40 }, HitNothing {} },
        { "right of the view", { 800, 40 }, HitNothing {} },
        { "above the view", { 10, -1 }, HitNothing {} },
    };
    for (auto const& k : cases) {
        SCOPED_TRACE(k.what);
        EXPECT_EQ(hit_test(k.point, c), k.hit);
    }
}

TEST(HitTest, StickyHeaderCoversTheRowsBeneathItWhenScrolled)
{
    HitContext c { ViewMode::List, { 0, 0, 800, 4000 }, ui::Rect { 0, 500, 800, 900 }, 100, {} };
    EXPECT_EQ(hit_test({ 20, 510 }, c), Hit { HitHeader { SortKey::Name } });
    EXPECT_EQ(hit_test({ 20, 531 }, c), Hit { HitEntry { static_cast<std::size_t>((531 - 30) / 34) } });
}

TEST(HitTest, GridTilesGapsAndPastTheLastItem)
{
    HitContext c { ViewMode::Grid, { 0, 0, 300, 2000 }, std::nullopt, 3, {} };
    struct Case {
        char const* what;
        ui::Point point;
        Hit hit;
    };
    Case const cases[] = {
        { "first tile", { 10, 10 }, HitEntry { 0 } },
        { "second tile", { 200, 100 }, HitEntry { 1 } },
        { "horizontal gap", { 125, 50 }, HitNothing {} },
        { "vertical gap", { 50, 118 }, HitNothing {} },
        { "second row", { 50, 140 }, HitEntry { 2 } },
        { "past the last item", { 200, 140 }, HitNothing {} },
        { "right of the columns", { 270, 50 }, HitNothing {} },
        { "top margin", { 50, 5 }, HitNothing {} },
    };
    for (auto const& k : cases) {
        SCOPED_TRACE(k.what);
        EXPECT_EQ(hit_test(k.point, c), k.hit);
    }
}

TEST(VisibleRange, OnlyRowsMeetingTheClipPlusOneEachSide)
{
    HitContext list { ViewMode::List, { 0, 0, 800, 3'400'036 }, std::nullopt, 100'000, {} };
    // Rows 1469 to 1493 meet [50000, 50800); one more each side.
    IndexRange range = visible_range(list, { 0, 50'000, 800, 50'800 });
    EXPECT_EQ(range.first, 1468u);
    EXPECT_EQ(range.last, 1495u);
    EXPECT_TRUE(visible_range(list, { 0, 3'500'000, 800, 3'500'800 }).empty());
    EXPECT_EQ(visible_range(list, { 0, 0, 800, 100 }).first, 0u);

    HitContext grid { ViewMode::Grid, { 0, 0, 300, 100'000 }, std::nullopt, 7, {} };
    IndexRange tiles = visible_range(grid, { 0, 0, 300, 100 });
    EXPECT_EQ(tiles.first, 0u);
    EXPECT_EQ(tiles.last, 4u); // row 0 meets the clip, row 1 is the margin; two columns
}

}
