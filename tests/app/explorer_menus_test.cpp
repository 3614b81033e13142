#include "app/file_explorer_widget.h"
#include "i18n/translate.h"
#include "support/explorer_environment.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "toolbar/file_toolbar.h"
#include "ui/offscreen_renderer.h"

#include <cstdlib>

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using files::i18n::translate;
using test_support::ScopedEnv;

namespace {

void render(files::app::FileExplorerWidget& explorer, ui::Size size = { 1000, 700 })
{
    ui::RenderOptions options;
    options.size = size;
    ASSERT_TRUE(ui::OffscreenRenderer::render_resilient(explorer, options));
}

void click(
    files::app::FileExplorerWidget& explorer, ui::Point at, ui::PointerButton button = ui::PointerButton::Primary)
{
    explorer.handle_event(ui::PointerMoved { at, {} });
    explorer.handle_event(ui::PointerPressed { at, button, {}, 1 });
    explorer.handle_event(ui::PointerReleased { at, button, {} });
}

void key(files::app::FileExplorerWidget& explorer, ui::Key k, ui::Modifiers modifiers = {})
{
    explorer.handle_event(ui::KeyPressed { k, {}, modifiers, false });
}

// A copy of the first node that matches: the tree is a temporary.
std::optional<ui::AccessNode> find(ui::AccessNode const& node, std::function<bool(ui::AccessNode const&)> const& match)
{
    if (match(node))
        return node;
    for (auto const& child : node.children) {
        if (auto found = find(child, match))
            return found;
    }
    return std::nullopt;
}

// The open menu's item labelled with `id`'s text, in the accessibility tree.
std::optional<ui::AccessNode> menu_item(ui::AccessNode const& tree, std::string const& text)
{
    return find(
        tree, [&](ui::AccessNode const& node) { return node.role == ui::AccessRole::MenuItem && node.label == text; });
}

std::vector<std::string> item_labels(ui::ContextMenu const& menu, std::size_t level)
{
    std::vector<std::string> labels;
    for (auto const& item : menu.items(level))
        labels.push_back(item.is_separator ? "—" : item.label);
    return labels;
}

}

TEST(ExplorerMenus, RightClickOnEmptySpaceThenChooseNewFolder)
{
    test_support::TempDir dir;
    ScopedEnv templates("XDG_TEMPLATES_DIR", (dir / "no-templates").string());
    dir.write("shown/a.txt", "a");
    files::app::FileExplorerWidget explorer(test_support::explorer_environment(dir, dir / "shown"));
    render(explorer);

    ui::Point const background { 600, 600 };
    click(explorer, background, ui::PointerButton::Secondary);
    auto const* menu = explorer.open_menu();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->rect().contains({ background.x + 1, background.y - 1 })
        || menu->rect().contains({ background.x - 1, background.y - 1 }));
    EXPECT_EQ(item_labels(*menu, 0).front(), "—"); // Paste is left out

    // The tree shows the open menu and its items.
    auto tree = explorer.accessibility();
    auto const item = menu_item(tree, translate("files-menu-new-folder"));
    ASSERT_TRUE(item);
    click(explorer, item->bounds.center());
    EXPECT_EQ(explorer.open_menu(), nullptr);
    EXPECT_TRUE(fs::is_directory(dir / "shown" / translate("files-new-folder-default-name")));
    EXPECT_TRUE(explorer.state().inline_rename_open);
}

TEST(ExplorerMenus, KeyboardAloneOpensMovesChoosesAndCloses)
{
    test_support::TempDir dir;
    dir.write("shown/a.txt", "a");
    dir.write("shown/b.txt", "b");
    files::app::FileExplorerWidget explorer(test_support::explorer_environment(dir, dir / "shown"));
    render(explorer);
    key(explorer, ui::Key::Down); // selects the first entry

    key(explorer, ui::Key::Menu);
    auto const* menu = explorer.open_menu();
    ASSERT_NE(menu, nullptr);
    // Opened by the keyboard, the first item is highlighted and focused.
    EXPECT_EQ(menu->highlighted(0), 0u);
    auto const focused = find(explorer.accessibility(), [](auto const& node) { return node.focused; });
    ASSERT_TRUE(focused);
    EXPECT_EQ(focused->label, translate("files-menu-open"));

    // Keys go to the open menu only: Delete does not trash the selection.
    key(explorer, ui::Key::Delete);
    EXPECT_TRUE(fs::exists(dir / "shown" / "a.txt"));
    key(explorer, ui::Key::Escape);
    EXPECT_EQ(explorer.open_menu(), nullptr);
    EXPECT_EQ(explorer.state().selection.size(), 1u);

    // Shift+F10 opens it as well; Down skips the separator after Rename.
    key(explorer, ui::Key::F10, ui::Modifiers { .shift = true });
    ASSERT_NE(explorer.open_menu(), nullptr);
    key(explorer, ui::Key::Down);
    key(explorer, ui::Key::Enter);
    EXPECT_EQ(explorer.open_menu(), nullptr);
    EXPECT_TRUE(explorer.state().inline_rename_open);
}

TEST(ExplorerMenus, ViewMenuHangsBelowItsButtonAndSortChangesTheOrder)
{
    test_support::TempDir dir;
    dir.write("shown/a.txt", "a");
    files::app::FileExplorerWidget explorer(test_support::explorer_environment(dir, dir / "shown"));
    render(explorer);
    auto const button = find(explorer.accessibility(),
        [](auto const& node) { return node.control_id == files::toolbar::control_ids::view_menu; });
    ASSERT_TRUE(button);
    auto const bounds = button->bounds;
    click(explorer, bounds.center());
    auto const* menu = explorer.open_menu();
    ASSERT_NE(menu, nullptr);
    EXPECT_DOUBLE_EQ(menu->top(), bounds.bottom - 2);
    EXPECT_DOUBLE_EQ(menu->right(), bounds.right);
    EXPECT_EQ(item_labels(*menu, 0).back(), translate("files-shortcuts-title"));

    // In a compact window the view menu leads to the sort menu.
    render(explorer, { 700, 600 });
    explorer.open_view_menu();
    auto const sort_by = menu_item(explorer.accessibility(), translate("files-sort-by"));
    ASSERT_TRUE(sort_by);
    click(explorer, sort_by->bounds.center());
    ASSERT_NE(explorer.open_menu(), nullptr);
    auto const descending = menu_item(explorer.accessibility(), translate("files-sort-descending"));
    ASSERT_TRUE(descending);
    EXPECT_EQ(descending->checked, false);
    click(explorer, descending->bounds.center());
    EXPECT_TRUE(explorer.state().sort_descending);
    EXPECT_EQ(explorer.open_menu(), nullptr);
}

TEST(ExplorerMenus, NewFileSubmenuOpensBesideTheMenuAndCreatesFromTheTemplate)
{
    test_support::TempDir dir;
    ScopedEnv templates("XDG_TEMPLATES_DIR", (dir / "Templates").string());
    dir.write("Templates/Letter.txt", "Dear reader");
    dir.make_folder("shown");
    files::app::FileExplorerWidget explorer(test_support::explorer_environment(dir, dir / "shown"));
    render(explorer);

    click(explorer, { 500, 300 }, ui::PointerButton::Secondary);
    // The item draws its own arrow, so its label is the catalogue's without it.
    auto const new_file = find(explorer.accessibility(), [](ui::AccessNode const& node) {
        return node.role == ui::AccessRole::MenuItem && !node.label.empty()
            && translate("files-menu-new-file").starts_with(node.label) && node.label.find("›") == std::string::npos;
    });
    ASSERT_TRUE(new_file);
    click(explorer, new_file->bounds.center());
    auto const* menu = explorer.open_menu();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->level_count(), 2u);
    auto parent = menu->level_rect(0);
    auto submenu = menu->level_rect(1);
    // Beside the menu, overlapping it slightly.
    EXPECT_LT(submenu.left, parent.right);
    EXPECT_GT(submenu.left, parent.right - 20);
    EXPECT_EQ(item_labels(*menu, 1),
        (std::vector<std::string> {
            files::i18n::translate_with("files-new-from-template", { { "name", "Letter" } }) }));

    click(explorer, menu->item_rect({ 1, 0 }).center());
    EXPECT_EQ(explorer.open_menu(), nullptr);
    EXPECT_EQ(test_support::read_file(dir / "shown" / "Letter.txt"), "Dear reader");
}

TEST(ExplorerMenus, PropertiesFromTheContextMenuAndThroughTheEntryCommand)
{
    test_support::TempDir dir;
    dir.make_folder("shown/Projects");
    files::app::FileExplorerWidget explorer(test_support::explorer_environment(dir, dir / "shown"));
    render(explorer);
    auto const row = find(explorer.accessibility(),
        [](auto const& node) { return node.label == "Projects" && node.id.rfind("file_row:", 0) == 0; });
    ASSERT_TRUE(row);
    click(explorer, row->bounds.center(), ui::PointerButton::Secondary);
    auto const properties = menu_item(explorer.accessibility(), translate("files-menu-properties"));
    ASSERT_TRUE(properties);
    click(explorer, properties->bounds.center());
    ASSERT_TRUE(explorer.state().sheet);
    EXPECT_EQ(explorer.state().sheet->title,
        files::i18n::translate_with("files-properties-title", { { "name", "Projects" } }));
    EXPECT_EQ(explorer.state().sheet->detail_lines.size(), 4u);
}

TEST(ExplorerMenus, AFavouritesMenuFromAssistiveTechnologyRemovesIt)
{
    test_support::TempDir dir;
    dir.make_folder("home");
    dir.make_folder("shown");
    auto environment = test_support::explorer_environment(dir, dir / "shown");
    environment.place_context.home = dir / "home";
    files::app::FileExplorerWidget explorer(environment);
    render(explorer);
    ASSERT_FALSE(explorer.state().favourites.empty());
    auto const home = explorer.state().favourites.front().path;
    auto const row = find(explorer.accessibility(),
        [](ui::AccessNode const& node) { return std::ranges::find(node.actions, "show-menu") != node.actions.end(); });
    ASSERT_TRUE(row);
    ASSERT_TRUE(explorer.perform_action(row->id, "show-menu"));
    auto const* menu = explorer.open_menu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(item_labels(*menu, 0),
        (std::vector<std::string> { translate("files-menu-open"), translate("files-menu-remove-favourite") }));
    // Below the row it was asked for.
    EXPECT_NEAR(menu->top(), row->bounds.bottom, 1);

    auto const remove = menu_item(explorer.accessibility(), translate("files-menu-remove-favourite"));
    ASSERT_TRUE(remove);
    ASSERT_TRUE(explorer.perform_action(remove->id, "activate"));
    EXPECT_EQ(explorer.open_menu(), nullptr);
    for (auto const& favourite : explorer.state().favourites)
        EXPECT_NE(favourite.path, home);
}

TEST(ExplorerMenus, ASheetOpenedByAClickedItemOutlivesTheClicksRelease)
{
    test_support::TempDir dir;
    dir.make_folder("shown");
    files::app::FileExplorerWidget explorer(test_support::explorer_environment(dir, dir / "shown"));
    render(explorer);
    explorer.open_view_menu();
    auto const shortcuts = menu_item(explorer.accessibility(), translate("files-shortcuts-title"));
    ASSERT_TRUE(shortcuts);
    // The item lies outside the sheet it opens, where a release would close it.
    click(explorer, shortcuts->bounds.center());
    ASSERT_TRUE(explorer.state().sheet);
    EXPECT_EQ(explorer.state().sheet->title, translate("files-shortcuts-title"));
    // The next click outside the sheet closes it as usual.
    click(explorer, { 5, 795 });
    EXPECT_FALSE(explorer.state().sheet);
}
