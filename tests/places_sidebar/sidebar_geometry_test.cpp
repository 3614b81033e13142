#include "places_sidebar/sidebar_geometry.h"

#include <gtest/gtest.h>

namespace {

using namespace files::places_sidebar;
using ui::Rect;

TEST(SidebarGeometry, HeadersAndRowsFollowTheFavouriteCount)
{
    struct Case {
        char const* name;
        Rect bounds;
        std::size_t favourites;
        double scale;
        std::optional<Rect> favourites_header;
        Rect system_header;
        Rect first_row;
        Rect first_system_row;
    };
    Case const cases[] = {
        { "no favourites", { 0, 0, 240, 600 }, 0, 1, std::nullopt, { 12, 12, 228, 38 }, { 12, 38, 228, 72 },
            { 12, 38, 228, 72 } },
        { "three favourites", { 0, 0, 240, 600 }, 3, 1, Rect { 12, 12, 228, 38 }, { 12, 152, 228, 178 },
            { 12, 38, 228, 72 }, { 12, 178, 228, 212 } },
        { "offset and scaled", { 10, 100, 250, 900 }, 2, 1.5, Rect { 22, 112, 238, 151 }, { 22, 265, 238, 304 },
            { 22, 151, 238, 202 }, { 22, 304, 238, 355 } },
    };
    for (auto const& row : cases) {
        SCOPED_TRACE(row.name);
        auto geometry = sidebar_geometry(row.bounds, row.favourites, 2, row.scale);
        EXPECT_EQ(geometry.favourites_header, row.favourites_header);
        EXPECT_EQ(geometry.system_header, row.system_header);
        ASSERT_EQ(geometry.rows.size(), row.favourites + 2);
        EXPECT_EQ(geometry.rows.front(), row.first_row);
        EXPECT_EQ(geometry.rows[row.favourites], row.first_system_row);
        EXPECT_EQ(geometry.rows[row.favourites + 1].top, row.first_system_row.bottom);
    }
}

TEST(SidebarGeometry, RowAtUsesTheRowRectangles)
{
    auto geometry = sidebar_geometry({ 0, 0, 240, 600 }, 2, 1, 1);
    EXPECT_EQ(geometry.row_at({ 100, 40 }), 0u);
    EXPECT_EQ(geometry.row_at({ 100, 105 }), 1u);
    EXPECT_EQ(geometry.row_at({ 100, 110 }), std::nullopt); // the gap above System
    EXPECT_EQ(geometry.row_at({ 100, 150 }), 2u);
    EXPECT_EQ(geometry.row_at({ 5, 40 }), std::nullopt); // the side margin
}

TEST(SidebarGeometry, DropIndexAndTheOpeningGap)
{
    auto geometry = sidebar_geometry({ 0, 0, 240, 600 }, 4, 2, 1); // favourites at 38, 72, 106, 140
    EXPECT_EQ(drop_index(geometry, -200), 0u);
    EXPECT_EQ(drop_index(geometry, 38), 0u);
    EXPECT_EQ(drop_index(geometry, 54), 0u);
    EXPECT_EQ(drop_index(geometry, 56), 1u);
    EXPECT_EQ(drop_index(geometry, 106), 2u);
    EXPECT_EQ(drop_index(geometry, 500), 3u);

    // Dragging 0 toward 2 lifts rows 1 and 2 by one row; 3 stays.
    EXPECT_EQ(shifted_row_top(geometry, 1, 0, 2), 38);
    EXPECT_EQ(shifted_row_top(geometry, 2, 0, 2), 72);
    EXPECT_EQ(shifted_row_top(geometry, 3, 0, 2), 140);
    // Dragging 3 toward 1 pushes rows 1 and 2 down; 0 stays.
    EXPECT_EQ(shifted_row_top(geometry, 0, 3, 1), 38);
    EXPECT_EQ(shifted_row_top(geometry, 1, 3, 1), 106);
    EXPECT_EQ(shifted_row_top(geometry, 2, 3, 1), 140);
}

}
