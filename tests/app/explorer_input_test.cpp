#include "app/file_explorer_widget.h"
#include "i18n/translate.h"
#include "support/explorer_environment.h"
#include "support/temp_dir.h"
#include "ui/offscreen_renderer.h"
#include "ui/theme.h"

#include <cmath>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

ui::AccessNode const* find_labelled(ui::AccessNode const& node, std::string const& label)
{
    if (node.label == label && node.id.rfind("file_row:", 0) == 0)
        return &node;
    for (auto const& child : node.children) {
        if (auto const* found = find_labelled(child, label))
            return found;
    }
    return nullptr;
}

void render(files::app::FileExplorerWidget& explorer)
{
    ui::RenderOptions options;
    options.size = { 1000, 700 };
    ASSERT_TRUE(ui::OffscreenRenderer::render_resilient(explorer, options));
}

void press_move_release(files::app::FileExplorerWidget& explorer, ui::Point from, ui::Point to)
{
    explorer.handle_event(ui::PointerMoved { from, {} });
    explorer.handle_event(ui::PointerPressed { from, ui::PointerButton::Primary, {}, 1 });
    explorer.handle_event(ui::PointerMoved { { from.x + 3, from.y + 5 }, {} });
    explorer.handle_event(ui::PointerMoved { to, {} });
    explorer.handle_event(ui::PointerReleased { to, ui::PointerButton::Primary, {} });
}

}

TEST(ExplorerDrag, DroppingAFileOnAFolderRowMovesIt)
{
    test_support::TempDir dir;
    dir.write("shown/a.txt", "a");
    dir.make_folder("shown/box");
    files::app::FileExplorerWidget explorer(test_support::explorer_environment(dir, dir / "shown"));
    render(explorer);

    auto tree = explorer.accessibility();
    auto const* file = find_labelled(tree, "a.txt");
    auto const* folder = find_labelled(tree, "box");
    ASSERT_NE(file, nullptr);
    ASSERT_NE(folder, nullptr);
    press_move_release(explorer, file->bounds.center(), folder->bounds.center());

    EXPECT_TRUE(fs::exists(dir / "shown" / "box" / "a.txt"));
    EXPECT_FALSE(fs::exists(dir / "shown" / "a.txt"));
    EXPECT_EQ(explorer.state().notice,
        files::i18n::translate_with("files-moved-to-folder", { { "count", 1 }, { "destination", "box" } }));
    EXPECT_FALSE(explorer.state().drag_under_way);
}

TEST(ExplorerDrag, DroppingAFolderIntoItselfMovesNothing)
{
    test_support::TempDir dir;
    dir.make_folder("shown/box");
    files::app::FileExplorerWidget explorer(test_support::explorer_environment(dir, dir / "shown"));
    render(explorer);
    auto const tree = explorer.accessibility();
    auto const* folder = find_labelled(tree, "box");
    ASSERT_NE(folder, nullptr);
    auto center = folder->bounds.center();
    press_move_release(explorer, center, { center.x + 40, center.y });
    EXPECT_TRUE(fs::is_directory(dir / "shown" / "box"));
    EXPECT_EQ(explorer.state().notice, files::i18n::translate("files-nothing-to-move"));
}

TEST(ExplorerRename, NewFolderOpensTheRenameEditorAndEnterCommits)
{
    test_support::TempDir dir;
    dir.make_folder("shown");
    files::app::FileExplorerWidget explorer(test_support::explorer_environment(dir, dir / "shown"));
    render(explorer);

    ui::Modifiers primary_shift;
    primary_shift.control = true;
    primary_shift.shift = true;
    explorer.handle_event(ui::KeyPressed { std::nullopt, "N", primary_shift, false });
    EXPECT_TRUE(fs::is_directory(dir / "shown" / "New Folder"));
    EXPECT_TRUE(explorer.state().inline_rename_open);
    render(explorer);

    // The whole name is selected, so typing replaces it.
    explorer.handle_event(ui::KeyPressed { std::nullopt, "Projects", {}, false });
    explorer.handle_event(ui::KeyPressed { ui::Key::Enter, {}, {}, false });
    EXPECT_FALSE(explorer.state().inline_rename_open);
    EXPECT_TRUE(fs::is_directory(dir / "shown" / "Projects"));
    EXPECT_FALSE(fs::exists(dir / "shown" / "New Folder"));
    EXPECT_EQ(explorer.state().notice, files::i18n::translate("files-renamed"));

    // An invalid name keeps the editor open with the typed text.
    explorer.handle_event(ui::KeyPressed { ui::Key::F2, {}, {}, false });
    render(explorer);
    explorer.handle_event(ui::KeyPressed { std::nullopt, "a/b", {}, false });
    explorer.handle_event(ui::KeyPressed { ui::Key::Enter, {}, {}, false });
    EXPECT_TRUE(explorer.state().inline_rename_open);
    explorer.handle_event(ui::KeyPressed { ui::Key::Escape, {}, {}, false });
    EXPECT_FALSE(explorer.state().inline_rename_open);
    EXPECT_TRUE(fs::is_directory(dir / "shown" / "Projects"));
}

TEST(ExplorerRename, TheEditorIsPlacedInTheFrameTheRenameBegins)
{
    test_support::TempDir dir;
    dir.write("shown/a.txt", "a");
    files::app::FileExplorerWidget explorer(test_support::explorer_environment(dir, dir / "shown"));
    render(explorer);
    explorer.handle_event(ui::KeyPressed { ui::Key::Down, {}, {}, false });
    explorer.handle_event(ui::KeyPressed { ui::Key::F2, {}, {}, false });
    // One frame only, as a screenshot scene draws it.
    ui::RenderOptions options;
    options.size = { 1000, 700 };
    ASSERT_TRUE(ui::OffscreenRenderer::render(explorer, options));
    auto const tree = explorer.accessibility();
    auto const* row = find_labelled(tree, "a.txt");
    ASSERT_NE(row, nullptr);
    ui::AccessNode const* editor = nullptr;
    for (auto const& child : tree.children) {
        if (child.role == ui::AccessRole::TextInput)
            editor = &child;
    }
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->value, "a.txt");
    EXPECT_TRUE(editor->focused);
    EXPECT_GT(editor->bounds.width(), 20);
    EXPECT_GE(editor->bounds.top, row->bounds.top);
    EXPECT_LE(editor->bounds.bottom, row->bounds.bottom);
}

TEST(ExplorerDrag, TheFolderUnderTheDragIsOutlined)
{
    test_support::TempDir dir;
    dir.write("shown/a.txt", "a");
    dir.make_folder("shown/box");
    files::app::FileExplorerWidget explorer(test_support::explorer_environment(dir, dir / "shown"));
    render(explorer);
    auto const tree = explorer.accessibility();
    auto const* file = find_labelled(tree, "a.txt");
    auto const* folder = find_labelled(tree, "box");
    ASSERT_NE(file, nullptr);
    ASSERT_NE(folder, nullptr);
    auto const from = file->bounds.center();
    auto const over = folder->bounds.center();
    explorer.handle_event(ui::PointerMoved { from, {} });
    explorer.handle_event(ui::PointerPressed { from, ui::PointerButton::Primary, {}, 1 });
    explorer.handle_event(ui::PointerMoved { { from.x + 3, from.y + 7 }, {} });
    explorer.handle_event(ui::PointerMoved { over, {} });
    ASSERT_EQ(explorer.state().drop_target, dir / "shown" / "box");

    ui::RenderOptions options;
    options.size = { 1000, 700 };
    auto const& theme = ui::Theme::light();
    auto image = ui::OffscreenRenderer::render_resilient(explorer, options);
    ASSERT_TRUE(image);
    // The outline runs along the folder row's top edge, away from the drag card.
    bool outlined = false;
    int const x = static_cast<int>(folder->bounds.left + 300);
    for (int y = static_cast<int>(folder->bounds.top) - 1; y <= static_cast<int>(folder->bounds.top) + 3; ++y) {
        auto pixel = image->pixel(x, y);
        outlined = outlined
            || (std::abs(pixel.r - theme.accent.r) < 0.05 && std::abs(pixel.g - theme.accent.g) < 0.05
                && std::abs(pixel.b - theme.accent.b) < 0.05);
    }
    EXPECT_TRUE(outlined);
}

TEST(ExplorerRename, KeysTypedBeforeTheNextFrameEditTheName)
{
    test_support::TempDir dir;
    dir.write("shown/a.txt", "a");
    files::app::FileExplorerWidget explorer(test_support::explorer_environment(dir, dir / "shown"));
    render(explorer);
    explorer.handle_event(ui::KeyPressed { ui::Key::Down, {}, {}, false });
    // No frame runs between F2 and the typing.
    explorer.handle_event(ui::KeyPressed { ui::Key::F2, {}, {}, false });
    explorer.handle_event(ui::KeyPressed { std::nullopt, "b", {}, false });
    explorer.handle_event(ui::KeyPressed { ui::Key::Enter, {}, {}, false });
    EXPECT_FALSE(explorer.state().inline_rename_open);
    EXPECT_TRUE(fs::exists(dir / "shown" / "b")) << dir.listing().size();
    EXPECT_FALSE(fs::exists(dir / "shown" / "a.txt"));
}
