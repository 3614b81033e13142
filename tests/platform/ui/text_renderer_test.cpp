#include "ui/text_renderer.h"

#include <string>

#include <gtest/gtest.h>

using ui::Ellipsize;
using ui::Font;
using ui::Size;

TEST(TextRenderer, MeasureGrowsWithTextAndFont)
{
    ui::TextRenderer text;
    Font regular {};
    Size short_size = text.measure("Documents", regular);
    Size long_size = text.measure("Documents and Settings", regular);
    EXPECT_GT(short_size.width, 0);
    EXPECT_GT(long_size.width, short_size.width);
    EXPECT_GT(short_size.height, 0);

    Font large { 20, ui::FontWeight::Regular, false };
    EXPECT_GT(text.measure("Documents", large).width, short_size.width);
    EXPECT_GT(text.measure("Documents", large).height, short_size.height);
    Font bold { 13, ui::FontWeight::Bold, false };
    EXPECT_GT(text.measure("Documents", bold).width, short_size.width);
}

TEST(TextRenderer, EllipsizedTextFitsTheLimit)
{
    ui::TextRenderer text;
    std::string name = "Quarterly report, final version with comments (copy 2).pdf";
    double full = text.measure(name, {}).width;
    for (Ellipsize mode : { Ellipsize::End, Ellipsize::Middle }) {
        for (double limit : { 40.0, 120.0, 200.0 }) {
            SCOPED_TRACE(testing::Message() << "mode " << static_cast<int>(mode) << " limit " << limit);
            double width = text.measure(name, {}, limit, mode).width;
            EXPECT_LE(width, limit);
            EXPECT_GT(width, limit / 2);
        }
    }
    // Without an ellipsizing mode the limit does not cut the text.
    EXPECT_DOUBLE_EQ(text.measure(name, {}, 40, Ellipsize::None).width, full);
    // Text that fits is unchanged by the limit.
    EXPECT_DOUBLE_EQ(text.measure("a.txt", {}, 200, Ellipsize::Middle).width, text.measure("a.txt", {}).width);
}

TEST(TextRenderer, CacheHitsShapeNothing)
{
    ui::TextRenderer text;
    EXPECT_EQ(text.layouts_created(), 0u);
    Size first = text.measure("Pictures", {});
    EXPECT_EQ(text.layouts_created(), 1u);
    EXPECT_EQ(text.measure("Pictures", {}), first);
    EXPECT_EQ(text.layouts_created(), 1u);

    // Each part of the key is its own entry.
    text.measure("Pictures", { 14, ui::FontWeight::Regular, false });
    text.measure("Pictures", {}, 30, Ellipsize::End);
    text.measure("Pictures", {}, 30, Ellipsize::Middle);
    text.measure("Pictures", {}, 31, Ellipsize::Middle);
    EXPECT_EQ(text.layouts_created(), 5u);
    text.measure("Pictures", {}, 31, Ellipsize::Middle);
    EXPECT_EQ(text.layouts_created(), 5u);
}

TEST(TextRenderer, CacheIsBoundedAndDropsTheOldest)
{
    ui::TextRenderer text;
    text.measure("first", {});
    for (int i = 0; i < 5000; ++i)
        text.measure("row " + std::to_string(i), {});
    std::size_t before = text.layouts_created();
    text.measure("row 4999", {}); // recent: still cached
    EXPECT_EQ(text.layouts_created(), before);
    text.measure("first", {}); // long evicted: shaped again
    EXPECT_EQ(text.layouts_created(), before + 1);
}

TEST(TextRenderer, InvalidUtf8IsMeasuredNotRejected)
{
    ui::TextRenderer text;
    Size size = text.measure(std::string("caf\xe9.txt"), {});
    EXPECT_GT(size.width, text.measure(".txt", {}).width);
    EXPECT_GT(text.measure("", {}).height, 0);
    EXPECT_EQ(text.measure("", {}).width, 0);
}
