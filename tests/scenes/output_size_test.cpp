#include "scenes/output_size.h"

#include <gtest/gtest.h>

namespace {

TEST(SceneOutputSize, ParsesWidthAndHeightOrFallsBack)
{
    struct Case {
        char const* text;
        std::optional<ui::Size> size;
    };
    std::vector<Case> const cases {
        { "800x600", ui::Size { 800, 600 } },
        { "800X600", ui::Size { 800, 600 } },
        { " 800 x\t600 ", ui::Size { 800, 600 } },
        { "+800x+600", ui::Size { 800, 600 } },
        { "0800x0600", ui::Size { 800, 600 } },
        { "4294967295x1", ui::Size { 4294967295.0, 1 } },
        { "0x600", ui::Size { 0, 600 } },
        { "800", std::nullopt },
        { "wide", std::nullopt },
        { "", std::nullopt },
        { "x600", std::nullopt },
        { "800x", std::nullopt },
        { "-800x600", std::nullopt },
        { "++800x600", std::nullopt },
        { "+ 800x600", std::nullopt },
        { "800x600x2", std::nullopt },
        { "800.5x600", std::nullopt },
        { "4294967296x1", std::nullopt },
        { "8 00x600", std::nullopt },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.text);
        auto size = files::scenes::parse_scene_size(c.text);
        ASSERT_EQ(size.has_value(), c.size.has_value());
        if (size) {
            EXPECT_EQ(size->width, c.size->width);
            EXPECT_EQ(size->height, c.size->height);
        }
    }
}

TEST(SceneOutputSize, MissingOrBadValueGivesTheFallbackSize)
{
    for (auto const& option : std::vector<std::optional<std::string>> { std::nullopt, "800", "wide", "800x" }) {
        auto size = files::scenes::scene_output_size(option);
        EXPECT_EQ(size.width, 1200);
        EXPECT_EQ(size.height, 720);
    }
    auto size = files::scenes::scene_output_size("1280X800");
    EXPECT_EQ(size.width, 1280);
    EXPECT_EQ(size.height, 800);
}

}
