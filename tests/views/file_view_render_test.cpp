// Pictures of the view over a real folder: they are written to /tmp for
// people to look at, and checked here where pixels can be checked.

#include "platform/services/thumbnails/thumbnail_fixtures.h"
#include "support/temp_dir.h"
#include "ui/theme.h"
#include "views/category_tint.h"
#include "views/file_view.h"
#include "views/view_fixtures.h"

#include <cmath>
#include <fstream>

#include <gtest/gtest.h>

namespace {

using namespace files::views;
using files::model::Entry;

void save(ui::Image const& image, char const* name)
{
    auto png = ui::encode_png(image);
    ASSERT_TRUE(png);
    std::ofstream(std::string("/tmp/") + name, std::ios::binary)
        .write(reinterpret_cast<char const*>(png->data()), static_cast<std::streamsize>(png->size()));
}

bool near(ui::Color c, ui::Color want, double tolerance = 0.08)
{
    return std::abs(c.r - want.r) < tolerance && std::abs(c.g - want.g) < tolerance
        && std::abs(c.b - want.b) < tolerance;
}

struct RenderedFolder : ::testing::Test {
    test_support::TempDir dir;
    view_fixtures::Harness h;
    std::shared_ptr<services::ThumbnailService> thumbnails = services::ThumbnailService::create(dir / ".cache");

    void SetUp() override
    {
        dir.make_folder("Documents");
        dir.make_folder("Holiday 2024");
        test_support::write_image(dir / "sunset-over-the-harbour.jpg", 640, 400, 0xF28A30, 0x7A3FA0, "jpeg");
        test_support::write_image(dir / "forest.png", 300, 300, 0x2F8F4F, 0x1F5F8F, "png");
        test_support::write_pdf(dir / "Quarterly report.pdf", 0xF4F0E6);
        test_support::write_epub(dir / "A long journey.epub", 0x20508F);
        dir.write("notes.txt", "shopping list");
        dir.write("budget-2024-final-revised.ods", "x");
        for (auto const& name : { "Documents", "Holiday 2024", "A long journey.epub", "budget-2024-final-revised.ods",
                 "forest.png", "notes.txt", "Quarterly report.pdf", "sunset-over-the-harbour.jpg" }) {
            bool is_dir = std::filesystem::is_directory(dir / name);
            Entry entry = is_dir ? view_fixtures::folder(dir.path(), name) : view_fixtures::file(dir.path(), name);
            if (!is_dir)
                entry.size = std::filesystem::file_size(dir / name);
            h.entries.push_back(entry);
        }
        // One item as the workspace shows it: in conflict and kept offline.
        h.entries[4].sync = files::model::SyncState::Local;
        h.entries[5].history = view_fixtures::history_with_conflict(collab::ConflictStatus::Open);
        h.entries[7].availability = view_fixtures::availability(files::model::ResidencyState::NotResident);
        h.view->set_thumbnails(thumbnails);
        h.selection.select_only(4);
        h.view->set_focus(true);
    }

    // Two frames: the first asks for thumbnails, the second shows them.
    ui::Image settle(ui::Size size)
    {
        h.render(size);
        thumbnails->block_until_idle();
        return h.render(size);
    }
};

TEST_F(RenderedFolder, ListShowsSelectionHoverThumbnailsAndColumns)
{
    h.render({ 900, 420 });
    ui::Point hover = list_row_rect(2, h.view->bounds(), {}).center();
    h.view->handle_event(view_fixtures::moved_to(hover));
    ui::Image image = settle({ 900, 420 });
    save(image, "fileview-list.png");
    ui::Theme const& theme = ui::Theme::light();

    // Between the name and size columns nothing but the row background shows.
    ListColumns columns = list_columns(h.view->bounds(), {});
    int gap_x = static_cast<int>(columns.size->left) - 5;
    EXPECT_TRUE(near(image.pixel(gap_x, static_cast<int>(list_row_rect(4, h.view->bounds(), {}).center().y)),
        theme.selection_strong, 0.02));
    EXPECT_TRUE(near(image.pixel(gap_x, static_cast<int>(hover.y)), theme.selection_soft, 0.02));
    EXPECT_TRUE(near(
        image.pixel(gap_x, static_cast<int>(list_row_rect(3, h.view->bounds(), {}).center().y)), theme.surface, 0.02));
    // The forest thumbnail (green left half) fills row 4's icon.
    ui::Rect icon = list_icon_rect(list_row_rect(4, h.view->bounds(), {}), columns, {});
    EXPECT_TRUE(near(image.pixel(static_cast<int>(icon.left) + 4, static_cast<int>(icon.center().y)),
        ui::Color::rgb(0x2F8F4F), 0.15));
    // All three column headers have text.
    EXPECT_GT(view_fixtures::dark_pixels(image, { columns.size->left, 0, columns.size->right, 30 }, 0.7), 5);
    EXPECT_GT(view_fixtures::dark_pixels(image, { columns.modified->left, 0, columns.modified->right, 30 }, 0.7), 5);
}

TEST_F(RenderedFolder, GridShowsThumbnailsAndCategoryTiles)
{
    h.view->set_view_mode(ViewMode::Grid);
    h.view->set_scale({ 1.3, 1.0 });
    h.render({ 900, 420 });
    ui::Point hover = h.view->item_rect(1).center();
    h.view->handle_event(view_fixtures::moved_to(hover));
    ui::Image image = settle({ 900, 420 });
    save(image, "fileview-grid.png");

    ItemScale s { 1.3, 1.0 };
    GridMetrics grid = h.view->grid();
    auto icon_of = [&](std::size_t i) {
        return grid_tile_parts(grid_tile_rect(i, h.view->bounds(), grid, s), false, 13 * 1.3 * 1.25, s).icon;
    };
    // The PDF's first page and the EPUB's cover are real thumbnails.
    ui::Rect pdf = icon_of(6);
    EXPECT_TRUE(near(image.pixel(static_cast<int>(pdf.center().x), static_cast<int>(pdf.center().y)),
        ui::Color::rgb(0xF4F0E6), 0.1));
    ui::Rect epub = icon_of(2);
    EXPECT_TRUE(near(image.pixel(static_cast<int>(epub.center().x), static_cast<int>(epub.top) + 6),
        ui::Color::rgb(0x20508F), 0.12));
    // The text file has no thumbnail: a tile tinted with its category colour.
    ui::Rect notes = icon_of(5);
    ui::Color tinted = ui::Color::rgb(0xFFFFFF).mixed(category_tint(7), 0.16);
    EXPECT_TRUE(near(image.pixel(static_cast<int>(notes.left) + 5, static_cast<int>(notes.top) + 5), tinted, 0.05));
}

TEST_F(RenderedFolder, ProjectedImageWithoutAttributeShowsItsTileAndIsNeverOpened)
{
    std::filesystem::path photo = dir / "sunset-over-the-harbour.jpg";
    test_support::OpenWatch watch(photo);
    Entry& entry = h.entries[7];
    entry.sync = files::model::SyncState::Projected;
    entry.availability = view_fixtures::availability(files::model::ResidencyState::NotResident);
    h.view->set_view_mode(ViewMode::Grid);
    ui::Image image = settle({ 900, 420 });
    EXPECT_EQ(thumbnails->pending(), 0u);
    image = h.render({ 900, 420 });
    EXPECT_EQ(watch.events(), 0);

    GridMetrics grid = h.view->grid();
    ui::Rect icon = grid_tile_parts(grid_tile_rect(7, h.view->bounds(), grid, {}), false, 16.25, {}).icon;
    ui::Color tinted = ui::Color::rgb(0xFFFFFF).mixed(category_tint(services::image_category), 0.16);
    EXPECT_TRUE(near(image.pixel(static_cast<int>(icon.left) + 4, static_cast<int>(icon.top) + 6), tinted, 0.05));

    // The same file, resident: the content may be read and the photo shows.
    entry.availability->residency = files::model::ResidencyState::Resident;
    image = settle({ 900, 420 });
    EXPECT_GT(watch.events(), 0);
    EXPECT_TRUE(near(image.pixel(static_cast<int>(icon.left) + 6, static_cast<int>(icon.center().y)),
        ui::Color::rgb(0xF28A30), 0.15));
}

TEST(FileViewThumbnails, OnlyVisibleRowsAskForThumbnails)
{
    test_support::TempDir dir;
    auto thumbnails = services::ThumbnailService::create(dir / ".cache");
    view_fixtures::Harness h;
    for (int i = 0; i < 5000; ++i)
        h.entries.push_back(view_fixtures::file("/nonexistent", "img" + std::to_string(i) + ".png"));
    h.view->set_thumbnails(thumbnails);
    h.offset->y = 34 * 2500;
    h.render({ 800, 340 });
    thumbnails->block_until_idle();
    // Rows 2499 to 2509 meet the viewport, plus one before and one after.
    EXPECT_EQ(thumbnails->jobs_queued(), 13u);
    h.render({ 800, 340 });
    EXPECT_EQ(thumbnails->jobs_queued(), 13u); // failures are remembered
}

}
