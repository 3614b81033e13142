#include "ui/button.h"
#include "ui/column.h"
#include "ui/offscreen_renderer.h"
#include "ui/text.h"
#include "ui/theme.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

using ui::Color;
using ui::OffscreenRenderer;
using ui::RenderOptions;

namespace {

bool near(Color a, Color b, double tolerance = 1.5 / 255)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance
        && std::abs(a.a - b.a) <= tolerance;
}

// Counts the pixels of `rect` that differ from `background`.
int changed_pixels(ui::Image const& image, ui::Rect rect, Color background)
{
    int count = 0;
    for (int y = static_cast<int>(rect.top); y < static_cast<int>(rect.bottom); ++y)
        for (int x = static_cast<int>(rect.left); x < static_cast<int>(rect.right); ++x)
            count += near(image.pixel(x, y), background) ? 0 : 1;
    return count;
}

// Keeps asking for another layout for the first `unsettled` passes.
struct Settling : ui::Widget {
    int unsettled;
    int passes { 0 };
    explicit Settling(int n)
        : unsettled(n)
    {
    }
    void draw(ui::Painter&) override
    {
        ++passes;
        if (passes <= unsettled)
            set_needs_layout();
    }
};

}

TEST(OffscreenRenderer, DrawsAColumnOfControls)
{
    ui::Column root;
    root.with_padding(ui::Insets::all(24)).with_gap(12);
    auto& button = root.emplace<ui::Button>(
        ui::Sizing::fixed(ui::Button::base_height), "files.retry", "Try Again", ui::ButtonStyle::Emphasised);
    auto& label = root.emplace<ui::Text>(ui::Sizing::content(0), "This folder is empty");
    RenderOptions options;
    options.size = { 800, 600 };
    auto image = OffscreenRenderer::render_resilient(root, options);
    ASSERT_TRUE(image) << image.error().text();
    EXPECT_EQ(image->width(), 800);
    EXPECT_EQ(image->height(), 600);

    Color window = ui::Theme::light().window;
    EXPECT_TRUE(near(image->pixel(790, 590), window));
    EXPECT_TRUE(near(image->pixel(2, 2), window));
    EXPECT_EQ(button.bounds(), (ui::Rect { 24, 24, 776, 24 + ui::Button::base_height }));
    // The emphasised button is filled with the accent colour away from its label.
    EXPECT_TRUE(near(image->pixel(40, 40), ui::Theme::light().accent));
    EXPECT_GT(changed_pixels(*image, label.bounds(), window), 50);
    EXPECT_EQ(changed_pixels(*image, { 24, 200, 776, 580 }, window), 0);
}

TEST(OffscreenRenderer, ScaleMultipliesTheImageSize)
{
    ui::Column root;
    RenderOptions options;
    options.size = { 300, 200 };
    options.scale = 2;
    options.theme = &ui::Theme::screenshot();
    auto image = OffscreenRenderer::render(root, options);
    ASSERT_TRUE(image) << image.error().text();
    EXPECT_EQ(image->width(), 600);
    EXPECT_EQ(image->height(), 400);
    EXPECT_TRUE(near(image->pixel(599, 399), ui::Theme::screenshot().window));
}

TEST(OffscreenRenderer, RefusesImpossibleSizes)
{
    struct Case {
        double width, height, scale;
        char const* error;
    };
    double const nan = std::numeric_limits<double>::quiet_NaN();
    Case const cases[] = {
        { 0, 600, 1, "cannot render at 0x600: width and height must be between 1 and 16384 pixels" },
        { 800, -5, 1, "cannot render at 800x-5: width and height must be between 1 and 16384 pixels" },
        { 16385, 10, 1, "cannot render at 16385x10: width and height must be between 1 and 16384 pixels" },
        { nan, 10, 1, "cannot render at nanx10: width and height must be between 1 and 16384 pixels" },
        { 800, 600, 0, "cannot render at scale 0: the scale must be above 0" },
        { 10000, 600, 2, "cannot render at 20000x1200 device pixels: at most 16384 pixels a side" },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.error);
        ui::Column root;
        RenderOptions options;
        options.size = { c.width, c.height };
        options.scale = c.scale;
        auto image = OffscreenRenderer::render(root, options);
        ASSERT_FALSE(image);
        EXPECT_EQ(image.error().text(), c.error);
        EXPECT_EQ(OffscreenRenderer::render_resilient(root, options).error().text(), c.error);
    }
    RenderOptions largest;
    largest.size = { 16384, 1 };
    ui::Column root;
    EXPECT_TRUE(OffscreenRenderer::render(root, largest));
}

TEST(OffscreenRenderer, ResilientRenderRepeatsUntilSettledAtMostFourTimes)
{
    struct Case {
        int unsettled;
        int passes;
    };
    for (Case c : { Case { 0, 1 }, Case { 2, 3 }, Case { 100, 4 } }) {
        SCOPED_TRACE(c.unsettled);
        Settling root(c.unsettled);
        RenderOptions options;
        options.size = { 64, 64 };
        ASSERT_TRUE(OffscreenRenderer::render_resilient(root, options));
        EXPECT_EQ(root.passes, c.passes);
    }
    Settling once(100);
    RenderOptions options;
    options.size = { 64, 64 };
    ASSERT_TRUE(OffscreenRenderer::render(once, options));
    EXPECT_EQ(once.passes, 1);
}
