#include "ui/context_menu.h"
#include "ui/nav_shell.h"
#include "ui/offscreen_renderer.h"
#include "ui/painter.h"
#include "ui/status_bubble.h"
#include "ui/theme.h"

#include <cmath>
#include <functional>

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using ui::Color;
using ui::Rect;

namespace {

// Paints the window background, then whatever the test draws.
struct Stage : ui::Widget {
    std::function<void(ui::Painter&)> paint;
    void draw(ui::Painter& painter) override
    {
        painter.fill_rect(m_bounds, painter.theme().window);
        if (paint)
            paint(painter);
    }
};

// A plain filled block standing for a child.
struct Block : ui::Widget {
    Color color;
    explicit Block(Color c)
        : color(c)
    {
    }
    void draw(ui::Painter& painter) override { painter.fill_rect(m_bounds, color); }
};

double luminance(Color c) { return 0.2126 * c.r + 0.7152 * c.g + 0.0722 * c.b; }

ui::Image render(ui::Widget& root, ui::Size size)
{
    ui::RenderOptions options;
    options.size = size;
    auto image = ui::OffscreenRenderer::render(root, options);
    EXPECT_TRUE(image.has_value());
    return image.value_or(ui::Image {});
}

}

TEST(ControlsRender, MenuAndItsSubmenuArePaintedAsPanels)
{
    ui::ContextMenu menu;
    menu.set_viewport({ 0, 0, 600, 400 });
    menu.push(ui::MenuItem::entry("Open", 0));
    menu.push(ui::MenuItem::separator());
    menu.push(ui::MenuItem::entry("New File", 1).submenu());
    menu.open_at({ 40, 40 });
    ASSERT_TRUE(menu.choose({ 0, 2 }));
    menu.push(ui::MenuItem::entry("Text Document", 2));
    menu.open_at({ menu.right() - 6, menu.top() + 28 });

    Stage stage;
    stage.paint = [&](ui::Painter& painter) { menu.draw_overlay(painter); };
    ui::Image image = render(stage, { 600, 400 });
    ui::Theme const& theme = ui::Theme::light();
    Rect parent = menu.level_rect(0);
    Rect submenu = menu.level_rect(1);
    // Near the bottom-left corner of each panel, away from the labels.
    EXPECT_EQ(image.pixel(static_cast<int>(parent.left + 14), static_cast<int>(parent.bottom - 3)), theme.surface);
    EXPECT_EQ(image.pixel(static_cast<int>(submenu.right - 14), static_cast<int>(submenu.bottom - 3)), theme.surface);
    EXPECT_EQ(image.pixel(580, 20), theme.window);
    // The submenu's opening item is highlighted.
    Rect row = menu.item_rect({ 0, 2 });
    EXPECT_NE(image.pixel(static_cast<int>(row.left + 8), static_cast<int>(row.center().y)), theme.surface);
}

TEST(ControlsRender, StatusBubbleMidFadeIsTranslucent)
{
    auto const t0 = ui::Clock::time_point {} + 50s;
    ui::StatusBubble bubble;
    bubble.poke(t0);
    Rect pill = Rect::from_size({ 300, 200 }, bubble.pill_size("12 items", 1));
    auto paint_at = [&](ui::Clock::time_point now) {
        Stage stage;
        stage.paint = [&](ui::Painter& painter) { bubble.draw_pill(painter, pill, "12 items", 1, now); };
        ui::Image image = render(stage, { 500, 300 });
        return image.pixel(static_cast<int>(pill.left + 6), static_cast<int>(pill.center().y));
    };
    Color window = ui::Theme::light().window;
    Color full = paint_at(t0 + 1s);
    Color mid = paint_at(t0 + ui::StatusBubble::hold + ui::StatusBubble::fade / 2);
    Color gone = paint_at(t0 + ui::StatusBubble::hold + ui::StatusBubble::fade);
    EXPECT_EQ(full, ui::Theme::light().surface);
    EXPECT_GT(luminance(mid), luminance(window) + 0.005);
    EXPECT_LT(luminance(mid), luminance(full) - 0.005);
    EXPECT_EQ(gone, window);
}

TEST(ControlsRender, NarrowShellPaintsTheOverlayPanelOverTheContent)
{
    Color const content_color = Color::rgb(0xFFFFFF);
    Color const sidebar_color = Color::rgb(0xE0E6F0);
    auto shell = ui::NavShell::sidebar_over_content(
        std::make_unique<Block>(sidebar_color), std::make_unique<Block>(content_color), 640);
    Stage stage;
    stage.paint = [&](ui::Painter& painter) {
        shell->draw(painter);
        painter.fill_rect(shell->scrim_rect(), shell->scrim_color());
    };
    ui::TextRenderer text;
    ui::LayoutContext context { text, {} };
    shell->build_layout({ 0, 0, 600, 400 }, context);
    shell->snap_sidebar_shown();
    ui::Image image = render(stage, { 600, 400 });
    EXPECT_EQ(image.pixel(100, 100), sidebar_color);
    Color scrim = image.pixel(450, 100);
    EXPECT_LT(luminance(scrim), 0.85) << "the content beside the panel is dimmed";
    EXPECT_NEAR(scrim.r, scrim.b, 0.1);
}
