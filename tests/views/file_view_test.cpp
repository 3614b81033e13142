#include "views/file_view.h"
#include "views/view_fixtures.h"

#include <gtest/gtest.h>

namespace {

using namespace files::views;
using files::model::Entry;
using files::model::SortKey;

ui::PointerPressed press(
    ui::Point at, ui::Modifiers modifiers = {}, ui::PointerButton button = ui::PointerButton::Primary)
{
    return ui::PointerPressed { at, button, modifiers, 1 };
}

ui::Point row_centre(std::size_t index) { return list_row_rect(index, { 0, 0, 800, 10'000 }, {}).center(); }

struct FileViewEvents : ::testing::Test {
    std::vector<Entry> entries;
    ui::SelectionModel selection;
    FileView view { selection };

    void SetUp() override
    {
        for (int i = 0; i < 7; ++i)
            entries.push_back(view_fixtures::file("/p", "f" + std::to_string(i) + ".txt"));
        entries.insert(entries.begin(), view_fixtures::folder("/p", "Folder"));
        entries.pop_back();
        view.set_entries(entries);
        // Taller than the rows, as when the scroll container fills a window.
        view.apply_layout({ 0, 0, 800, 600 });
    }
};

TEST_F(FileViewEvents, PlainPressSelectsArmsAndDragsPastSixPixels)
{
    ui::Point at = row_centre(2);
    EXPECT_EQ(view.handle_event(press(at)), ui::EventResult::Handled);
    EXPECT_EQ(selection.selected(), (std::vector<std::size_t> { 2 }));
    auto messages = view.take_messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(std::get<EntryClicked>(messages[0]).index, 2u);
    ASSERT_TRUE(view.pending_press());

    view.handle_event(view_fixtures::moved_to({ at.x + 6, at.y }));
    for (auto const& message : view.take_messages())
        EXPECT_FALSE(std::holds_alternative<BeginDrag>(message));
    ASSERT_TRUE(view.pending_press());
    view.handle_event(view_fixtures::moved_to({ at.x + 3.66, at.y + 4.88 })); // 6.1 px away
    messages = view.take_messages();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(std::get<BeginDrag>(messages.back()), (BeginDrag { 2, "/p/f1.txt", at }));
    EXPECT_FALSE(view.pending_press());
}

TEST_F(FileViewEvents, ReleaseAndModifierPressesNeverDrag)
{
    view.handle_event(press(row_centre(1)));
    view.handle_event(view_fixtures::released_at(row_centre(1)));
    view.handle_event(view_fixtures::moved_to({ 300, 300 }));
    view.handle_event(press(row_centre(3), { .control = true }));
    EXPECT_EQ(selection.selected(), (std::vector<std::size_t> { 1, 3 }));
    view.handle_event(press(row_centre(5), { .shift = true }));
    EXPECT_EQ(selection.selected(), (std::vector<std::size_t> { 3, 4, 5 }));
    view.handle_event(view_fixtures::moved_to({ 600, 20 }));
    for (auto const& message : view.take_messages())
        EXPECT_FALSE(std::holds_alternative<BeginDrag>(message));
}

TEST_F(FileViewEvents, EmptySpaceHeaderAndSecondaryButton)
{
    selection.select_only(1);
    view.handle_event(press({ 400, 500 }));
    EXPECT_TRUE(selection.empty());
    EXPECT_EQ(view.take_messages(), (std::vector<FileViewMessage> { EntryClicked { std::nullopt, {}, 1 } }));

    selection.select_only(4);
    ListColumns columns = list_columns(view.bounds(), {});
    view.handle_event(press({ columns.size->left + 2, 12 }));
    view.handle_event(press({ columns.modified->left + 2, 12 }));
    EXPECT_EQ(view.take_messages(),
        (std::vector<FileViewMessage> {
            HeaderSortClicked { SortKey::Size }, HeaderSortClicked { SortKey::Modified } }));
    EXPECT_EQ(selection.selected(), (std::vector<std::size_t> { 4 }));

    // The secondary button selects an unselected item, keeps a selection it hits.
    selection.apply_click(5, ui::ClickSelect::Toggle);
    view.handle_event(press(row_centre(5), {}, ui::PointerButton::Secondary));
    EXPECT_EQ(selection.selected(), (std::vector<std::size_t> { 4, 5 }));
    view.handle_event(press(row_centre(0), {}, ui::PointerButton::Secondary));
    EXPECT_EQ(selection.selected(), (std::vector<std::size_t> { 0 }));
    EXPECT_EQ(view.take_messages(),
        (std::vector<FileViewMessage> {
            ContextMenuRequested { row_centre(5), 5 }, ContextMenuRequested { row_centre(0), 0 } }));
    EXPECT_FALSE(view.pending_press());
}

TEST_F(FileViewEvents, HoverReportsOnlyChanges)
{
    view.handle_event(view_fixtures::moved_to(row_centre(3)));
    view.handle_event(view_fixtures::moved_to({ row_centre(3).x + 40, row_centre(3).y }));
    EXPECT_EQ(view.hover_index(), 3u);
    view.handle_event(view_fixtures::moved_to({ 10, 12 })); // the header
    EXPECT_EQ(view.hover_index(), std::nullopt);
    view.handle_event(view_fixtures::moved_to(row_centre(6)));
    view.handle_event(ui::PointerLeft {});
    EXPECT_EQ(view.take_messages().size(), 4u);
    EXPECT_EQ(view.hover_index(), std::nullopt);
}

TEST_F(FileViewEvents, GridArrowKeysStopAtTheEdges)
{
    // 300 px: two columns; seven items in four rows.
    view.set_view_mode(ViewMode::Grid);
    view.apply_layout({ 0, 0, 300, 1000 });
    view.set_focus(true);
    struct Case {
        char const* what;
        std::optional<std::size_t> primary;
        ui::Key key;
        std::size_t want;
    };
    Case const cases[] = {
        { "right", 2, ui::Key::Right, 3 },
        { "left", 2, ui::Key::Left, 1 },
        { "left of the first", 0, ui::Key::Left, 0 },
        { "right of the last", 6, ui::Key::Right, 6 },
        { "down", 1, ui::Key::Down, 3 },
        { "down from the last row", 5, ui::Key::Down, 6 },
        { "down from the last item", 6, ui::Key::Down, 6 },
        { "up", 5, ui::Key::Up, 3 },
        { "up from the first row", 1, ui::Key::Up, 0 },
        { "no primary", std::nullopt, ui::Key::Right, 1 },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.what);
        selection.clear();
        if (c.primary)
            selection.select_only(*c.primary);
        EXPECT_EQ(view.handle_event(ui::KeyPressed { c.key, {}, {}, false }), ui::EventResult::Handled);
        EXPECT_EQ(view.take_messages(), (std::vector<FileViewMessage> { SelectIndex { c.want } }));
    }
}

TEST_F(FileViewEvents, ArrowKeysAreLeftAloneOutsideTheirCase)
{
    view.set_focus(true);
    EXPECT_EQ(view.handle_event(ui::KeyPressed { ui::Key::Down, {}, {}, false }), ui::EventResult::Ignored); // list
    view.set_view_mode(ViewMode::Grid);
    view.apply_layout({ 0, 0, 300, 1000 });
    EXPECT_EQ(
        view.handle_event(ui::KeyPressed { ui::Key::Down, {}, { .shift = true }, false }), ui::EventResult::Ignored);
    view.set_focus(false);
    EXPECT_EQ(view.handle_event(ui::KeyPressed { ui::Key::Down, {}, {}, false }), ui::EventResult::Ignored);
    view.set_focus(true);
    view.set_entries({});
    EXPECT_EQ(view.handle_event(ui::KeyPressed { ui::Key::Down, {}, {}, false }), ui::EventResult::Ignored);
    EXPECT_TRUE(view.take_messages().empty());
}

TEST(FileViewDraw, RenameHidesTheLabelAndPublishesTheEditorRect)
{
    view_fixtures::Harness h;
    h.entries = { view_fixtures::file("/p", "alpha.txt"), view_fixtures::file("/p", "beta.txt") };
    auto editor = std::make_shared<EditorCell>();
    h.view->set_editor_cell(editor);
    ui::Image plain = h.render();
    ListColumns columns = list_columns(h.view->bounds(), {});
    ui::Rect row = list_row_rect(1, h.view->bounds(), {});
    ui::Rect label = list_label_rect(row, list_icon_rect(row, columns, {}), columns);
    EXPECT_GT(view_fixtures::dark_pixels(plain, label), 20);
    EXPECT_FALSE(*editor);

    h.view->set_rename_target(1);
    EXPECT_EQ(view_fixtures::dark_pixels(h.render(), label), 0);
    ASSERT_TRUE(*editor);
    EXPECT_EQ(**editor, (ui::Rect { label.left - 6, row.top + 2, columns.name.right - 4, row.bottom - 2 }));
    h.view->set_rename_target(std::nullopt);
    h.render();
    EXPECT_FALSE(*editor);
}

TEST(FileViewDraw, DropTargetsAreTheVisibleFoldersOfThisFrame)
{
    view_fixtures::Harness h;
    for (int i = 0; i < 300; ++i)
        h.entries.push_back(i % 3 == 0 ? view_fixtures::folder("/p", "d" + std::to_string(i))
                                       : view_fixtures::file("/p", "f" + std::to_string(i)));
    auto targets = std::make_shared<DropTargetList>();
    h.view->set_drop_targets(targets);
    h.render({ 800, 340 });
    // Rows 0 to 9 meet the 340 px viewport, plus row 10: folders 0, 3, 6, 9.
    ASSERT_EQ(targets->size(), 4u);
    EXPECT_EQ(targets->front(), (DropTarget { "/p/d0", list_row_rect(0, h.view->bounds(), {}) }));
    EXPECT_EQ(targets->back().path, "/p/d9");

    h.offset->y = 34 * 150;
    h.render({ 800, 340 });
    ASSERT_FALSE(targets->empty());
    for (auto const& target : *targets) {
        EXPECT_GE(target.rect.bottom, 34 * 149 + 30);
        EXPECT_LE(target.rect.top, 34 * 161 + 30);
    }
}

TEST(FileViewDraw, HeaderIsDrawnWhenEmptyAndSticksToTheTopWhenScrolled)
{
    view_fixtures::Harness h;
    ui::Rect name_label { 10, 0, 60, 30 };
    EXPECT_GT(view_fixtures::dark_pixels(h.render({ 800, 300 }), name_label, 0.7), 5);

    for (int i = 0; i < 100; ++i)
        h.entries.push_back(view_fixtures::file("/p", "file" + std::to_string(i)));
    h.offset->y = 1017; // not on a row boundary: rows show through below the header
    ui::Image scrolled = h.render({ 800, 300 });
    EXPECT_GT(view_fixtures::dark_pixels(scrolled, name_label, 0.7), 5);
    // The header hides the row beneath it: only the label's own pixels are dark.
    EXPECT_EQ(view_fixtures::dark_pixels(scrolled, { 60, 0, 300, 29 }, 0.7), 0);
}

TEST(FileViewDraw, FocusRingOnlyWithFocusAndAPrimaryItem)
{
    view_fixtures::Harness h;
    for (int i = 0; i < 5; ++i)
        h.entries.push_back(view_fixtures::file("/p", "file" + std::to_string(i)));
    h.selection.select_only(2);
    ui::Image unfocused = h.render({ 800, 300 });
    h.view->set_focus(true);
    ui::Image focused = h.render({ 800, 300 });
    ui::Rect ring = list_row_rect(2, h.view->bounds(), {}).inset(8, 2);
    int x = static_cast<int>(ring.left);
    int y = static_cast<int>(ring.center().y);
    EXPECT_NE(unfocused.pixel(x, y), focused.pixel(x, y));
    EXPECT_EQ(unfocused.pixel(x + 20, y + 20), focused.pixel(x + 20, y + 20)); // the next row is untouched

    h.selection.clear();
    ui::Image no_primary = h.render({ 800, 300 });
    h.view->set_focus(false);
    ui::Image plain = h.render({ 800, 300 });
    EXPECT_EQ(no_primary.pixel(x, y), plain.pixel(x, y));
}

}

namespace {

TEST_F(FileViewEvents, PressCarriedIntoARebuiltViewStillDrags)
{
    view.handle_event(press(row_centre(3)));
    FileView rebuilt(selection);
    rebuilt.set_entries(entries);
    rebuilt.apply_layout(view.bounds());
    rebuilt.set_pending_press(view.pending_press());
    rebuilt.handle_event(view_fixtures::moved_to({ row_centre(3).x, row_centre(3).y + 7 }));
    auto messages = rebuilt.take_messages();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(std::get<BeginDrag>(messages.back()).index, 3u);
}

}
