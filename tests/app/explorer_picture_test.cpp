// Pictures of the window states, written beside the build for people to look
// at, with the checks a test can make on them.

#include "app/file_explorer_widget.h"
#include "app/window_geometry.h"
#include "support/explorer_environment.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "ui/offscreen_renderer.h"
#include "ui/theme.h"

#include <cstdlib>
#include <fstream>
#include <functional>

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

    files::app::FileExplorerWidget explorer(test_support::explorer_environment(dir, dir / "empty"));
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
    // The narrow window's sidebar toggle stays reachable over the error state.
    std::function<ui::AccessNode const*(ui::AccessNode const&)> toggle_of = [&](ui::AccessNode const& node) {
        if (node.control_id == "kesu.nav-shell.sidebar")
            return &node;
        for (auto const& child : node.children) {
            if (auto const* found = toggle_of(child))
                return found;
        }
        return static_cast<ui::AccessNode const*>(nullptr);
    };
    auto tree = explorer.accessibility();
    auto const* toggle = toggle_of(tree);
    ASSERT_NE(toggle, nullptr);
    bool toggle_drawn = false;
    for (int x = static_cast<int>(toggle->bounds.left); x < static_cast<int>(toggle->bounds.right); ++x)
        toggle_drawn
            = toggle_drawn || !close(error.pixel(x, static_cast<int>(toggle->bounds.center().y)), theme.surface);
    EXPECT_TRUE(toggle_drawn);

    explorer.navigate(dir / "empty");
    auto empty = render_to(explorer, { 1280, 800 }, "explorer_empty.png");
    EXPECT_TRUE(close(empty.pixel(1000, 700), theme.surface));
}

TEST(ExplorerPictures, MenusAndThePropertiesSheet)
{
    test_support::TempDir dir;
    auto const& theme = ui::Theme::light();
    dir.write("Templates/Letter.txt", "Dear");
    dir.write("Templates/Budget.ods", "");
    test_support::ScopedEnv templates("XDG_TEMPLATES_DIR", (dir / "Templates").string());
    for (auto const* name : { "Budget 2026.ods", "launch.mp4", "notes.txt", "photo.png" })
        dir.write(std::string("shown/") + name, "x");
    dir.make_folder("shown/Development");
    files::app::FileExplorerWidget explorer(test_support::explorer_environment(dir, dir / "shown"));
    render_to(explorer, { 1280, 800 }, "explorer_menu_base.png");

    // The folder background's menu with its New File submenu.
    ui::Point const pointer { 0.45 * 1280, 0.34 * 800 };
    explorer.handle_event(ui::PointerPressed { pointer, ui::PointerButton::Secondary, {}, 1 });
    explorer.handle_event(ui::PointerReleased { pointer, ui::PointerButton::Secondary, {} });
    auto const* menu = explorer.open_menu();
    ASSERT_NE(menu, nullptr);
    explorer.open_templates_menu({ menu->right() - 6, pointer.y + 66 });
    ASSERT_EQ(menu->level_count(), 2u);
    auto submenu = menu->level_rect(1);
    auto context = render_to(explorer, { 1280, 800 }, "explorer_context_menu.png");
    // Drawn as a panel of the surface colour with a shadow below it.
    auto const drawn = [&](ui::Image const& image, ui::Rect rect) {
        auto const x = static_cast<int>(rect.center().x);
        return close(image.pixel(x, static_cast<int>(rect.bottom - 3)), theme.surface)
            && image.pixel(x, static_cast<int>(rect.bottom + 3)).r < theme.surface.r - 0.01;
    };
    EXPECT_TRUE(drawn(context, submenu));

    explorer.open_view_menu();
    auto wide = menu->rect();
    auto view = render_to(explorer, { 1280, 800 }, "explorer_view_menu.png");
    EXPECT_TRUE(drawn(view, wide));

    render_to(explorer, { 700, 600 }, "explorer_menu_compact_base.png");
    explorer.open_view_menu();
    EXPECT_GT(menu->items(0).size(), 10u);
    render_to(explorer, { 700, 600 }, "explorer_view_menu_compact.png");

    explorer.mutable_state().view_mode = files::app::ViewMode::Grid;
    render_to(explorer, { 1280, 800 }, "explorer_menu_grid_base.png");
    explorer.open_sort_menu();
    render_to(explorer, { 1280, 800 }, "explorer_sort_menu.png");
    explorer.handle_event(ui::KeyPressed { ui::Key::Escape, {}, {}, false });
    EXPECT_EQ(explorer.open_menu(), nullptr);
    explorer.mutable_state().view_mode = files::app::ViewMode::List;

    // The properties sheet of a workspace video.
    auto& state = explorer.mutable_state();
    std::size_t video = 0;
    while (video < state.entries.size() && state.entries[video].name != "launch.mp4")
        ++video;
    ASSERT_LT(video, state.entries.size());
    auto& entry = state.entries[video];
    entry.record_id = collab::Uuid::parse("0f8fad5b-d9cb-469f-a165-70867728950e");
    entry.content_hash = files::model::ContentHash { 0x3a, 0x7f, 0x09, 0xc2, 0x51, 0xe8, 0x44, 0x1d };
    files::model::FileMetadataRecord metadata;
    metadata.record_id = *entry.record_id;
    metadata.properties.duration_ms = 3'725'000;
    metadata.properties.codec = "h264";
    metadata.properties.container = "mp4";
    entry.metadata = metadata;
    files::model::AvailabilityRecord availability;
    availability.record_id = *entry.record_id;
    availability.residency = files::model::ResidencyState::Resident;
    availability.resident_bytes = 1'048'576;
    entry.availability = availability;
    state.selection.select_only(video);
    explorer.open_properties();
    ASSERT_TRUE(state.sheet);
    render_to(explorer, { 1280, 800 }, "explorer_properties_video.png");
}
