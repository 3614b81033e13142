// Browsing into a ZIP archive and extracting it; the grid view and a zoom
// that outlives the window.

#include "e2e/desktop_session.h"

#include <gtest/gtest.h>

using e2e::DesktopSession;
using e2e::Json;
using e2e::View;
using Names = std::vector<std::string>;

TEST(ArchiveAndView, BrowseIntoAZipSeeItIsReadOnlyAndExtractIt)
{
    DesktopSession desktop;
    ASSERT_EQ(desktop.unavailable(), "");
    auto root = desktop.files();
    desktop.dir().write("staging/readme.txt", "hello");
    desktop.dir().write("staging/docs/guide.txt", "read me first");
    auto archive = root / "bundle.zip";
    // Made by Info-ZIP's zip, not by the program under test.
    ASSERT_EQ(desktop.run_tool({ "sh", "-c", "cd \"$0\" && zip -q -r \"$1\" readme.txt docs",
                  (desktop.dir() / "staging").string(), archive.string() }),
        0);
    auto const archive_bytes = test_support::read_file(archive);
    ASSERT_TRUE(desktop.start(root));

    auto shown = desktop.view();
    ASSERT_NE(shown.row("bundle.zip"), nullptr);
    desktop.double_click(e2e::center(*shown.row("bundle.zip")));
    auto inside = desktop.wait_for("inside the archive", [&](View const& v) {
        return v.directory() == archive.string() && v.row_names() == Names { "docs", "readme.txt" };
    });
    ASSERT_TRUE(inside);
    EXPECT_EQ(inside->status(), "Archives are read-only until extracted");

    // Deleting inside is refused with the same notice; the archive is untouched.
    desktop.click(e2e::center(*inside->row("readme.txt")));
    desktop.key("Delete");
    ASSERT_TRUE(desktop.wait_for("the read-only notice after Delete", [](View const& v) {
        return v.selected_names() == Names { "readme.txt" }
        && v.status() == "Archives are read-only until extracted  ·  1 selected";
    }));
    EXPECT_EQ(test_support::read_file(archive), archive_bytes);

    auto refused = desktop.view();
    EXPECT_EQ(refused.row_names(), (Names { "docs", "readme.txt" }));
    auto const* extract = refused.node("files.archive.extract");
    ASSERT_NE(extract, nullptr) << "the toolbar offers the extraction inside an archive";
    desktop.click(e2e::center(*extract));
    ASSERT_TRUE(desktop.wait_for(
        "the extraction notice", [](View const& v) { return v.status().starts_with("Extracted 2 files"); }));
    EXPECT_EQ(test_support::read_file(root / "bundle" / "readme.txt"), "hello");
    EXPECT_EQ(test_support::read_file(root / "bundle" / "docs" / "guide.txt"), "read me first");
    EXPECT_EQ(test_support::read_file(archive), archive_bytes);
}

namespace {

// The first grid cell's width and height.
std::optional<std::pair<double, double>> cell_size(View const& v)
{
    auto const* cell = v.node("file_row:0");
    if (!cell || cell->value("role", "") != "grid-cell")
        return std::nullopt;
    auto const& b = cell->at("bounds");
    return std::pair { b[2].get<double>() - b[0].get<double>(), b[3].get<double>() - b[1].get<double>() };
}

void switch_to_grid(DesktopSession& desktop)
{
    auto shown = desktop.view();
    auto const* grid = shown.node_labelled("toggle-button", "Grid");
    ASSERT_NE(grid, nullptr);
    desktop.click(e2e::center(*grid));
    ASSERT_TRUE(desktop.wait_for("the grid view",
        [](View const& v) { return v.snapshot.value("view_mode", "") == "Grid" && cell_size(v).has_value(); }));
}

}

TEST(ArchiveAndView, GridViewZoomInAndOutSurvivesARestart)
{
    DesktopSession desktop;
    ASSERT_EQ(desktop.unavailable(), "");
    auto root = desktop.files();
    for (char const* name : { "a.txt", "b.txt", "c.txt" })
        desktop.dir().write(std::string("files/") + name, name);
    desktop.dir().make_folder("files/folder");
    ASSERT_TRUE(desktop.start(root));

    switch_to_grid(desktop);
    auto normal = cell_size(desktop.view());
    ASSERT_TRUE(normal);

    auto wait_for_cell = [&](std::string const& what, auto&& holds) {
        auto v = desktop.wait_for(what, [&](View const& s) {
            auto size = cell_size(s);
            return size && holds(*size);
        });
        return v ? cell_size(*v) : std::nullopt;
    };
    desktop.key("ctrl+plus");
    auto once = wait_for_cell("a larger cell", [&](auto size) { return size.first > normal->first; });
    ASSERT_TRUE(once);
    desktop.key("ctrl+plus");
    auto twice = wait_for_cell("a larger cell again", [&](auto size) { return size.first > once->first; });
    ASSERT_TRUE(twice);
    desktop.key("ctrl+minus");
    auto back = wait_for_cell("one step smaller", [&](auto size) { return size.first < twice->first; });
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, *once) << "zooming in and out again gives the same cell";
    EXPECT_EQ(test_support::read_file(desktop.config_folder() / "zoom"), "1");

    EXPECT_EQ(desktop.stop(), 0);
    ASSERT_TRUE(desktop.start(root));
    switch_to_grid(desktop);
    EXPECT_EQ(cell_size(desktop.view()), once) << "the zoom level came back with the window";
}
