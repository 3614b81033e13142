#include "ui/layout.h"

#include <gtest/gtest.h>

#include <vector>

using ui::Axis;
using ui::LineLayout;
using ui::Rect;
using ui::Sizing;

TEST(Layout, FixedContentAndFlexibleShareAColumn)
{
    std::vector<Sizing> items { Sizing::fixed(48), Sizing::flexible(1), Sizing::content(20) };
    auto rects = ui::layout_line({ 0, 0, 300, 400 }, LineLayout { Axis::Vertical, {}, 0 }, items);
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_EQ(rects[0], (Rect { 0, 0, 300, 48 }));
    EXPECT_EQ(rects[1], (Rect { 0, 48, 300, 380 }));
    EXPECT_EQ(rects[2], (Rect { 0, 380, 300, 400 }));
}

TEST(Layout, PaddingGapAndWeights)
{
    std::vector<Sizing> items { Sizing::flexible(1), Sizing::flexible(3) };
    auto rects = ui::layout_line({ 10, 10, 230, 50 }, LineLayout { Axis::Horizontal, ui::Insets::all(10), 8 }, items);
    // 220 wide, less 20 padding, less 8 gap = 192 shared 1:3.
    EXPECT_EQ(rects[0], (Rect { 20, 20, 68, 40 }));
    EXPECT_EQ(rects[1], (Rect { 76, 20, 220, 40 }));
}

TEST(Layout, ClampedFlexibleGivesExcessToOthers)
{
    std::vector<Sizing> items { Sizing::flexible(1).at_most(50), Sizing::flexible(1), Sizing::flexible(1).at_least(120) };
    auto rects = ui::layout_line({ 0, 0, 300, 10 }, LineLayout { Axis::Horizontal, {}, 0 }, items);
    EXPECT_DOUBLE_EQ(rects[0].width(), 50);
    EXPECT_DOUBLE_EQ(rects[2].width(), 125);
    EXPECT_DOUBLE_EQ(rects[1].width(), 125);
    EXPECT_DOUBLE_EQ(rects[2].right, 300);
}

TEST(Layout, OverflowKeepsFixedSizesAndStarvesFlexible)
{
    std::vector<Sizing> items { Sizing::fixed(80), Sizing::flexible(1), Sizing::fixed(80) };
    auto rects = ui::layout_line({ 0, 0, 100, 10 }, LineLayout { Axis::Horizontal, {}, 0 }, items);
    EXPECT_DOUBLE_EQ(rects[1].width(), 0);
    EXPECT_DOUBLE_EQ(rects[2].left, 80);
    EXPECT_DOUBLE_EQ(rects[2].right, 160);
}
