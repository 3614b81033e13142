// Dragging entries with the pointer, and the context menu by pointer and by
// keyboard.

#include "e2e/desktop_session.h"

#include <algorithm>

#include <gtest/gtest.h>

using e2e::DesktopSession;
using e2e::View;
using Names = std::vector<std::string>;

TEST(DragAndMenu, DragAFileOntoAFolderRowAndOntoASidebarPlace)
{
    DesktopSession desktop;
    ASSERT_EQ(desktop.unavailable(), "");
    auto root = desktop.files();
    desktop.dir().make_folder("files/Archive");
    desktop.dir().write("files/report.txt", "report");
    desktop.dir().write("files/photo.png", "not really a picture");
    ASSERT_TRUE(desktop.start(root));

    auto shown = desktop.view();
    ASSERT_NE(shown.row("report.txt"), nullptr);
    ASSERT_NE(shown.row("Archive"), nullptr);
    desktop.drag(e2e::center(*shown.row("report.txt")), e2e::center(*shown.row("Archive")));
    ASSERT_TRUE(desktop.wait_for("report.txt moved into Archive",
        [](View const& v) { return v.row("report.txt") == nullptr && v.status().starts_with("Moved 1 item"); }));
    EXPECT_EQ(test_support::read_file(root / "Archive" / "report.txt"), "report");
    EXPECT_FALSE(std::filesystem::exists(root / "report.txt"));

    auto now = desktop.view();
    auto const* home = now.node_labelled("list-item", "Home");
    ASSERT_NE(home, nullptr);
    ASSERT_NE(now.row("photo.png"), nullptr);
    desktop.drag(e2e::center(*now.row("photo.png")), e2e::center(*home), 10);
    ASSERT_TRUE(desktop.wait_for("photo.png moved home",
        [](View const& v) { return v.row_names() == Names { "Archive" } && v.status().starts_with("Moved 1 item"); }));
    EXPECT_EQ(test_support::read_file(desktop.home() / "photo.png"), "not really a picture");
    EXPECT_FALSE(std::filesystem::exists(root / "photo.png"));
}

TEST(DragAndMenu, ContextMenuByRightClickAndByTheMenuKey)
{
    DesktopSession desktop;
    ASSERT_EQ(desktop.unavailable(), "");
    auto root = desktop.files();
    desktop.dir().write("files/first.txt", "1");
    desktop.dir().write("files/second.txt", "2");
    ASSERT_TRUE(desktop.start(root));

    // Right click on an entry: its menu, where Move to Trash is chosen.
    auto shown = desktop.view();
    ASSERT_NE(shown.row("first.txt"), nullptr);
    desktop.click(e2e::center(*shown.row("first.txt")), 3);
    auto menu = desktop.wait_for("the entry's menu", [](View const& v) {
        return v.menu_item("Move to Trash") != nullptr && v.selected_names() == Names { "first.txt" };
    });
    ASSERT_TRUE(menu);
    auto shot = desktop.screenshot("flow8-context-menu");
    EXPECT_EQ(e2e::png_size(shot), (std::pair { 1280, 800 }));
    desktop.click(e2e::center(*menu->menu_item("Move to Trash")));
    ASSERT_TRUE(desktop.wait_for("first.txt in the Trash", [](View const& v) {
        return !v.has_menu() && v.row_names() == Names { "second.txt" } && v.status() == "Moved 1 item to Trash";
    }));
    EXPECT_EQ(test_support::read_file(desktop.trash_files() / "first.txt"), "1");

    // The keyboard alone: select, open the menu with the menu key, walk to
    // Rename… and type the new name.
    desktop.key("Down");
    ASSERT_TRUE(desktop.wait_for(
        "second.txt selected", [](View const& v) { return v.selected_names() == Names { "second.txt" }; }));
    desktop.key("Menu");
    auto opened = desktop.wait_for("the menu, its first item highlighted", [](View const& v) {
        auto const* open = v.menu_item("Open");
        if (!open)
            return false;
        auto states = open->value("states", e2e::Json::array());
        return std::find(states.begin(), states.end(), "focused") != states.end();
    });
    ASSERT_TRUE(opened);
    auto shot_keyboard = desktop.screenshot("flow8-menu-key");
    EXPECT_EQ(e2e::png_size(shot_keyboard), (std::pair { 1280, 800 }));
    desktop.key("Down");
    ASSERT_TRUE(desktop.wait_for("Rename… highlighted", [](View const& v) {
        auto const* rename = v.menu_item("Rename…");
        if (!rename)
            return false;
        auto states = rename->value("states", e2e::Json::array());
        return std::find(states.begin(), states.end(), "focused") != states.end();
    }));
    desktop.key("Return");
    ASSERT_TRUE(desktop.wait_for("the name editor", [](View const& v) {
        auto const* editor = v.node("files.rename_input");
        return !v.has_menu() && editor && editor->value("value", "") == "second.txt";
    }));
    desktop.type("renamed.txt");
    desktop.key("Return");
    ASSERT_TRUE(desktop.wait_for("the renamed entry",
        [](View const& v) { return v.row_names() == Names { "renamed.txt" } && v.status().starts_with("Renamed"); }));
    EXPECT_EQ(test_support::read_file(root / "renamed.txt"), "2");
    EXPECT_FALSE(std::filesystem::exists(root / "second.txt"));
}
