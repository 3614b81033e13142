#include "sidebar_fixture.h"
#include "ui/offscreen_renderer.h"
#include "ui/theme.h"

#include <cmath>
#include <cstdlib>
#include <fstream>

namespace {

using namespace sidebar_test;

bool close_to(ui::Color a, ui::Color b, double tolerance = 0.02)
{
    return std::abs(a.r - b.r) < tolerance && std::abs(a.g - b.g) < tolerance && std::abs(a.b - b.b) < tolerance;
}

std::string describe(ui::Color c) { return testing::PrintToString(std::vector<double> { c.r, c.g, c.b, c.a }); }

// Where a picture goes for people to look at: the build folder when known.
std::filesystem::path picture_path(char const* name)
{
    char const* build = std::getenv("FILES_BINARY_DIR");
    return (build ? std::filesystem::path(build) : std::filesystem::temp_directory_path()) / name;
}

TEST_F(SidebarTest, PictureShowsSelectionHoverFocusAndSeparator)
{
    m_sidebar.set_current_location("/home/ada/Documents");
    m_sidebar.set_focus(true);
    lay_out({ 0, 0, 240, 420 });
    ASSERT_EQ(m_sidebar.focus_index(), 1u) << "focus starts on the current location";
    key(ui::Key::Down);
    key(ui::Key::Down); // focus on the fourth favourite (Music)
    move(centre_of(4)); // hover Team Files

    ui::RenderOptions options;
    options.size = { 240, 420 };
    auto image = ui::OffscreenRenderer::render(m_sidebar, options);
    ASSERT_TRUE(image.has_value()) << image.error().text();
    auto png = ui::encode_png(*image);
    ASSERT_TRUE(png.has_value());
    std::ofstream(picture_path("places_sidebar.png"), std::ios::binary)
        .write(reinterpret_cast<char const*>(png->data()), static_cast<std::streamsize>(png->size()));

    auto const& theme = ui::Theme::light();
    auto at = [&](double x, double y) { return image->pixel(static_cast<int>(x), static_cast<int>(y)); };
    auto const& rows = m_sidebar.geometry().rows;
    double const far_right = rows[0].right - 4;

    EXPECT_TRUE(close_to(at(far_right, rows[1].center().y), theme.selection))
        << describe(at(far_right, rows[1].center().y));
    EXPECT_TRUE(close_to(at(far_right, rows[4].center().y), theme.selection_soft));
    EXPECT_TRUE(close_to(at(far_right, rows[2].center().y), theme.panel)) << "an idle row has no background";
    EXPECT_TRUE(close_to(at(far_right, rows[1].top), theme.panel)) << "the selection is inset from the row edges";
    EXPECT_TRUE(close_to(at(239, 200), theme.quiet)) << "separator along the right edge";
    auto ring = at(rows[3].left + 1, rows[3].center().y);
    EXPECT_GT(ring.b - ring.r, 0.2) << "focus ring on the fourth row: " << describe(ring);
    auto no_ring = at(rows[2].left + 1, rows[2].center().y);
    EXPECT_TRUE(close_to(no_ring, theme.panel));
}

TEST_F(SidebarTest, LiftedCardFollowsThePointerAndTheGapOpens)
{
    lay_out({ 0, 0, 240, 420 });
    auto start = centre_of(2);
    press(start);
    move({ start.x, start.y - 40 });
    move({ start.x, m_sidebar.geometry().rows[0].top - 8 }); // above the first favourite
    ASSERT_EQ(m_sidebar.drag()->drop, 0u);

    ui::RenderOptions options;
    options.size = { 240, 420 };
    auto image = ui::OffscreenRenderer::render(m_sidebar, options);
    ASSERT_TRUE(image.has_value());
    auto png = ui::encode_png(*image);
    ASSERT_TRUE(png.has_value());
    std::ofstream(picture_path("places_sidebar_drag.png"), std::ios::binary)
        .write(reinterpret_cast<char const*>(png->data()), static_cast<std::streamsize>(png->size()));

    auto const& theme = ui::Theme::light();
    auto const& rows = m_sidebar.geometry().rows;
    double const x = rows[0].right - 4;
    // The card is painted in the surface colour where the pointer holds it.
    double const card_centre = m_sidebar.drag()->card_top() + rows[0].height() / 2;
    EXPECT_TRUE(close_to(image->pixel(static_cast<int>(x), static_cast<int>(card_centre)), theme.surface));
    // A shadow darkens the panel just below the card.
    auto below
        = image->pixel(static_cast<int>(x - 20), static_cast<int>(m_sidebar.drag()->card_top() + rows[0].height() + 3));
    EXPECT_LT(below.r, theme.panel.r - 0.02) << describe(below);
}

}
