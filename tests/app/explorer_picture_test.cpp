// Pictures of the window states, written beside the build for people to look
// at, with the checks a test can make on them.

#include "app/file_explorer_widget.h"
#include "app/window_geometry.h"
#include "support/temp_dir.h"
#include "ui/offscreen_renderer.h"
#include "ui/theme.h"

#include <cstdlib>
#include <fstream>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

ui::Image render_to(files::app::FileExplorerWidget& explorer, ui::Size size, std::string const& name)
{
    ui::RenderOptions options;
    options.size = size;
    auto image = ui::OffscreenRenderer::render_resilient(explorer, options);
    EXPECT_TRUE(image);
    if (!image)
        return {};
    if (char const* build = std::getenv("FILES_BINARY_DIR")) {
        auto png = ui::encode_png(*image);
        if (png) {
            std::ofstream out(fs::path(build) / name, std::ios::binary);
            out.write(reinterpret_cast<char const*>(png->data()), static_cast<std::streamsize>(png->size()));
        }
    }
    return *image;
}

files::app::ExplorerEnvironment environment(test_support::TempDir const& dir, fs::path const& start)
{
    files::app::ExplorerEnvironment env;
    env.config_folder = dir / "config";
    env.home_folder = dir / "home";
    env.start_location = start;
    env.live = false;
    return env;
}

bool close(ui::Color a, ui::Color b)
{
    return std::abs(a.r - b.r) < 0.02 && std::abs(a.g - b.g) < 0.02 && std::abs(a.b - b.b) < 0.02;
}

}

TEST(ExplorerPictures, SheetErrorAndEmptyStates)
{
    test_support::TempDir dir;
    dir.make_folder("empty");
    auto const& theme = ui::Theme::light();

    files::app::FileExplorerWidget explorer(environment(dir, dir / "empty"));
    explorer.mutable_state().sheet = files::app::keyboard_shortcuts_sheet();
    auto sheet = render_to(explorer, { 1280, 800 }, "explorer_shortcuts_sheet.png");
    auto rect = files::app::sheet_rect({ 0, 0, 1280, 800 }, 11, false);
    EXPECT_TRUE(close(sheet.pixel(static_cast<int>(rect.right - 30), static_cast<int>(rect.bottom - 12)), theme.panel));

    explorer.mutable_state().sheet.reset();
    explorer.navigate(dir / "missing");
    auto error = render_to(explorer, { 600, 700 }, "explorer_error_narrow.png");
    EXPECT_EQ(error.width(), 600);
    // The Try Again button is drawn in the accent colour somewhere in the middle.
    bool found_accent = false;
    for (int y = 300; y < 500 && !found_accent; ++y)
        found_accent = close(error.pixel(300, y), theme.accent);
    EXPECT_TRUE(found_accent);

    explorer.navigate(dir / "empty");
    auto empty = render_to(explorer, { 1280, 800 }, "explorer_empty.png");
    EXPECT_TRUE(close(empty.pixel(1000, 700), theme.surface));
}
