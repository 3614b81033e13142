#include "ui/context_menu.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

using ui::ContextMenu;
using ui::MenuItem;
using ui::MenuItemRef;
using ui::Point;
using ui::Rect;

namespace {

Rect const window { 0, 0, 800, 600 };
Rect const usable = window.inset(ContextMenu::viewport_margin);

ui::KeyPressed key(ui::Key k) { return { k, {}, {}, false }; }

ui::PointerPressed press(Point at, ui::PointerButton button = ui::PointerButton::Primary)
{
    return { at, button, {}, 1 };
}

bool inside(Rect inner, Rect outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right
        && inner.bottom <= outer.bottom;
}

// Open, separator, Rename (disabled), Copy, separator, New File ▸.
void push_sample(ContextMenu& menu)
{
    menu.push(MenuItem::entry("Open", 10));
    menu.push(MenuItem::separator());
    menu.push(MenuItem::entry("Rename", 11).disabled());
    menu.push(MenuItem::entry("Copy", 12));
    menu.push(MenuItem::separator());
    menu.push(MenuItem::entry("New File", 13).submenu());
}

struct MenuFixture : testing::Test {
    ContextMenu menu { "files.menu" };

    void SetUp() override
    {
        menu.set_viewport(window);
        push_sample(menu);
        menu.open_at({ 100, 100 });
    }

    void open_submenu()
    {
        ASSERT_TRUE(menu.choose({ 0, 5 }));
        menu.push(MenuItem::entry("Text Document", 20));
        menu.push(MenuItem::entry("Spreadsheet", 21));
        menu.open_at({ menu.right() - 6, menu.top() + 28 });
    }

    ui::EventResult send(ui::Event const& event) { return menu.handle_event(event); }
    Point centre(MenuItemRef item) const { return menu.item_rect(item).center(); }
};

}

TEST(PlaceMenu, KeepsTheMenuInsideTheViewportAtEveryEdge)
{
    ui::Size const size { 200, 300 };
    Rect const parent { 300, 100, 500, 400 };
    struct Case {
        char const* name;
        Point at;
        std::optional<Rect> parent;
        Rect expected;
    };
    std::vector<Case> const cases {
        { "fits below right", { 100, 100 }, {}, Rect::from_xywh(100, 100, 200, 300) },
        { "right edge flips left", { 700, 100 }, {}, Rect::from_xywh(500, 100, 200, 300) },
        { "bottom edge flips up", { 100, 500 }, {}, Rect::from_xywh(100, 200, 200, 300) },
        { "corner flips both", { 700, 500 }, {}, Rect::from_xywh(500, 200, 200, 300) },
        { "left of the viewport shifts in", { -50, 100 }, {}, Rect::from_xywh(8, 100, 200, 300) },
        { "no room above or below shifts up", { 100, 300 }, {}, Rect::from_xywh(100, 292, 200, 300) },
        { "submenu that fits", { 494, 128 }, parent, Rect::from_xywh(494, 128, 200, 300) },
        { "submenu flips to the parent's left side", { 700, 128 }, Rect { 500, 100, 706, 400 },
            Rect::from_xywh(306, 128, 200, 300) },
        { "submenu shifts up at the bottom", { 494, 400 }, parent, Rect::from_xywh(494, 292, 200, 300) },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ui::place_menu(size, c.at, usable, c.parent), c.expected);
    }
    // A menu larger than the viewport starts at its top-left corner.
    EXPECT_EQ(ui::place_menu({ 900, 700 }, { 300, 300 }, usable), Rect::from_xywh(8, 8, 900, 700));
}

TEST_F(MenuFixture, RowsStackItemsAndSeparatorsAndItemAtFindsThem)
{
    Rect rect = menu.rect();
    double expected_height
        = 2 * ContextMenu::vertical_padding + 4 * ContextMenu::item_height + 2 * ContextMenu::separator_height;
    EXPECT_EQ(rect, Rect::from_xywh(100, 100, ContextMenu::min_width, expected_height));
    EXPECT_EQ(menu.item_rect({ 0, 0 }), Rect::from_xywh(100, 106, ContextMenu::min_width, 30));
    EXPECT_EQ(menu.item_rect({ 0, 2 }).top, 106 + 30 + 9);
    for (std::size_t i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(menu.item_at(centre({ 0, i })), (MenuItemRef { 0, i }));
    }
    EXPECT_EQ(menu.item_at({ 150, 102 }), std::nullopt) << "the panel's padding holds no row";
    EXPECT_EQ(menu.item_at({ 50, 150 }), std::nullopt);
    EXPECT_EQ(menu.right(), rect.right);
    EXPECT_EQ(menu.top(), rect.top);
}

TEST(ContextMenu, WidthFollowsTheWidestLabel)
{
    ContextMenu menu;
    menu.push(MenuItem::entry("Open"));
    menu.open_at({ 0, 0 });
    double narrow = menu.rect().width();
    EXPECT_EQ(narrow, ContextMenu::min_width);
    menu.close();
    menu.push(MenuItem::entry("Open"));
    menu.push(MenuItem::entry("Move the selected items to the Trash and keep an undo record"));
    menu.open_at({ 0, 0 });
    EXPECT_GT(menu.rect().width(), narrow);
    EXPECT_LE(menu.rect().width(), ContextMenu::max_width);
}

TEST(ContextMenu, OpenedNearEachCornerStaysInsideTheWindow)
{
    for (Point at : { Point { 2, 2 }, Point { 798, 2 }, Point { 2, 598 }, Point { 798, 598 } }) {
        SCOPED_TRACE(testing::Message() << at.x << "," << at.y);
        ContextMenu menu;
        menu.set_viewport(window);
        push_sample(menu);
        menu.open_at(at);
        EXPECT_TRUE(inside(menu.rect(), usable));
    }
}

TEST_F(MenuFixture, SubmenuSitsBesideItsParentOverlappingIt)
{
    Rect parent = menu.rect();
    open_submenu();
    ASSERT_EQ(menu.level_count(), 2u);
    EXPECT_EQ(menu.level_rect(0), parent);
    EXPECT_EQ(menu.rect().left, parent.right - 6);
    EXPECT_EQ(menu.rect().top, parent.top + 28);
    EXPECT_EQ(menu.item_at(centre({ 1, 0 })), (MenuItemRef { 1, 0 }));

    // At the window's right edge the submenu goes to the parent's left side.
    ContextMenu edge;
    edge.set_viewport(window);
    push_sample(edge);
    edge.open_at({ 560, 100 });
    Rect edge_parent = edge.rect();
    ASSERT_TRUE(edge.choose({ 0, 5 }));
    edge.push(MenuItem::entry("Text Document", 20));
    edge.open_at({ edge.right() - 6, edge.top() + 28 });
    EXPECT_EQ(edge.rect().right, edge_parent.left + 6);
    EXPECT_TRUE(inside(edge.rect(), usable));
}

TEST_F(MenuFixture, KeyboardSkipsSeparatorsAndDisabledItems)
{
    struct Step {
        ui::Key key;
        std::optional<std::size_t> highlighted;
    };
    std::vector<Step> const steps {
        { ui::Key::Down, 0 },
        { ui::Key::Down, 3 }, // past the separator and the disabled Rename
        { ui::Key::Down, 5 },
        { ui::Key::Down, 0 }, // wraps
        { ui::Key::Up, 5 },
        { ui::Key::Up, 3 },
        { ui::Key::Up, 0 },
        { ui::Key::End, 5 },
        { ui::Key::Home, 0 },
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(send(key(steps[i].key)), ui::EventResult::Handled);
        EXPECT_EQ(menu.highlighted(0), steps[i].highlighted);
    }
    send(key(ui::Key::Down));
    send(key(ui::Key::Enter));
    EXPECT_EQ(menu.take_choice(), (ui::MenuChoice { { 0, 3 }, 12, false }));
    EXPECT_FALSE(menu.is_open());
    EXPECT_EQ(menu.take_choice(), std::nullopt);
}

TEST_F(MenuFixture, KeyboardOpensAndClosesSubmenuLevels)
{
    send(key(ui::Key::End));
    send(key(ui::Key::Right));
    EXPECT_EQ(menu.take_choice(), (ui::MenuChoice { { 0, 5 }, 13, true }));
    EXPECT_TRUE(menu.is_open()) << "a submenu item leaves its menu open";
    menu.push(MenuItem::entry("Text Document", 20));
    menu.open_at({ menu.right() - 6, menu.top() + 28 }, ui::MenuHighlight::FirstItem);
    EXPECT_EQ(menu.highlighted(1), 0u);
    send(key(ui::Key::Left));
    EXPECT_EQ(menu.level_count(), 1u);
    send(key(ui::Key::Escape));
    EXPECT_FALSE(menu.is_open());
    EXPECT_EQ(send(key(ui::Key::Down)), ui::EventResult::Ignored) << "a closed menu takes no keys";
}

TEST_F(MenuFixture, PointerChoosesHighlightsAndDismisses)
{
    send(ui::PointerMoved { centre({ 0, 3 }), {} });
    EXPECT_EQ(menu.highlighted(0), 3u);
    send(ui::PointerMoved { centre({ 0, 2 }), {} });
    EXPECT_EQ(menu.highlighted(0), 3u) << "a disabled item takes no highlight";

    EXPECT_EQ(send(press(centre({ 0, 1 }))), ui::EventResult::Handled);
    EXPECT_TRUE(menu.is_open()) << "a press on a separator does nothing";
    EXPECT_EQ(menu.take_choice(), std::nullopt);

    EXPECT_EQ(send(press(centre({ 0, 0 }))), ui::EventResult::Handled);
    EXPECT_EQ(menu.take_choice(), (ui::MenuChoice { { 0, 0 }, 10, false }));
    EXPECT_FALSE(menu.is_open());
    EXPECT_EQ(send(ui::PointerReleased { centre({ 0, 0 }), ui::PointerButton::Primary, {} }), ui::EventResult::Handled)
        << "the release of the choosing press stays with the menu";
    EXPECT_EQ(send(ui::PointerReleased { { 5, 5 }, ui::PointerButton::Primary, {} }), ui::EventResult::Ignored);
}

TEST_F(MenuFixture, PressOutsideCloses)
{
    EXPECT_EQ(send(press({ 600, 500 })), ui::EventResult::Handled);
    EXPECT_FALSE(menu.is_open());
    EXPECT_EQ(menu.take_choice(), std::nullopt);

    push_sample(menu);
    menu.open_at({ 100, 100 });
    EXPECT_EQ(send(press({ 600, 500 }, ui::PointerButton::Secondary)), ui::EventResult::Ignored)
        << "a secondary press is left to the owner to open another menu";
    EXPECT_FALSE(menu.is_open());
}

TEST_F(MenuFixture, PointingAtAnotherParentItemClosesTheSubmenu)
{
    open_submenu();
    send(ui::PointerMoved { centre({ 1, 1 }), {} });
    EXPECT_EQ(menu.level_count(), 2u);
    EXPECT_EQ(menu.highlighted(1), 1u);
    send(ui::PointerMoved { centre({ 0, 0 }), {} });
    EXPECT_EQ(menu.level_count(), 1u);
}

TEST_F(MenuFixture, AccessibilityShowsMenuItemsAsControls)
{
    menu.close();
    menu.push(MenuItem::entry("List", 1).checked(true));
    menu.push(MenuItem::entry("Grid", 2).checked(false));
    menu.push(MenuItem::separator());
    menu.push(MenuItem::entry("Rename", 3).disabled());
    menu.push(MenuItem::entry("New File", 4).submenu());
    menu.open_at({ 10, 10 });
    ASSERT_TRUE(menu.choose({ 0, 4 }));
    menu.push(MenuItem::entry("Text Document", 20));
    menu.open_at({ menu.right() - 6, menu.top() + 28 });

    ui::AccessNode root = menu.accessibility();
    EXPECT_EQ(root.role, ui::AccessRole::Menu);
    ASSERT_EQ(root.children.size(), 5u);
    auto const& list = root.children[0];
    EXPECT_EQ(list.role, ui::AccessRole::MenuItem);
    EXPECT_EQ(list.label, "List");
    EXPECT_EQ(list.checked, true);
    EXPECT_EQ(list.control_id, "files.menu.0.0");
    EXPECT_EQ(root.children[1].checked, false);
    EXPECT_EQ(root.children[2].role, ui::AccessRole::Separator);
    EXPECT_TRUE(root.children[3].disabled);
    EXPECT_EQ(root.children[3].control_id, "");
    ASSERT_EQ(root.children[4].children.size(), 1u) << "the open submenu hangs under its item";
    EXPECT_EQ(root.children[4].children[0].role, ui::AccessRole::Menu);
    EXPECT_EQ(root.children[4].children[0].children[0].control_id, "files.menu.1.0");

    std::vector<std::string> published;
    for (auto const& resource : menu.resources())
        published.push_back(resource.address());
    EXPECT_EQ(published,
        (std::vector<std::string> { "kesu.control:files.menu.0.0", "kesu.control:files.menu.0.1",
            "kesu.control:files.menu.0.4", "kesu.control:files.menu.1.0" }));

    EXPECT_TRUE(menu.perform_action("files.menu.1.0", "activate"));
    EXPECT_EQ(menu.take_choice(), (ui::MenuChoice { { 1, 0 }, 20, false }));
    EXPECT_FALSE(menu.is_open());
}

TEST_F(MenuFixture, InvokingAnItemChoosesIt)
{
    auto invoke = [&](std::string payload) {
        return menu.invoke({ ui::control_invoke_action, 2, std::move(payload), {} });
    };
    ui::InvokeResult disabled = invoke("\"files.menu.0.2\"");
    EXPECT_EQ(disabled.outcome, ui::InvokeResult::Outcome::Failed);
    EXPECT_EQ(disabled.failure, "this control is disabled");
    EXPECT_TRUE(invoke("\"files.menu.0.1\"").is_not_handled()) << "a separator is no control";
    EXPECT_TRUE(invoke("\"files.menu.9.0\"").is_not_handled());
    EXPECT_TRUE(invoke("not json").is_not_handled());
    EXPECT_TRUE(invoke(" \"files.menu.0.3\" ").is_handled());
    EXPECT_EQ(menu.take_choice(), (ui::MenuChoice { { 0, 3 }, 12, false }));
}

TEST(ContextMenu, ALevelTallerThanTheWindowScrollsToTheHighlight)
{
    ContextMenu menu;
    menu.set_viewport({ 0, 0, 400, 300 });
    for (std::size_t i = 0; i < 40; ++i)
        menu.push(MenuItem::entry("Item " + std::to_string(i), i));
    menu.open_at({ 20, 20 });
    Rect level = menu.rect();
    EXPECT_EQ(level, Rect::from_xywh(20, 8, ContextMenu::min_width, 284));
    menu.handle_event(key(ui::Key::End));
    EXPECT_EQ(menu.highlighted(0), 39u);
    EXPECT_GT(menu.scroll_offset(0), 0);
    EXPECT_TRUE(inside(menu.item_rect({ 0, 39 }), level));
    EXPECT_EQ(menu.item_at(menu.item_rect({ 0, 39 }).center()), (MenuItemRef { 0, 39 }));
    menu.handle_event(key(ui::Key::Home));
    EXPECT_EQ(menu.scroll_offset(0), 0);
}

TEST(ContextMenuSeparators, OnlySeparatorsBetweenItemsTakeRoom)
{
    struct Case {
        char const* name;
        std::vector<bool> separators; // true for a separator
        std::vector<bool> redundant;
    };
    std::vector<Case> const cases = {
        { "leading", { true, false, true, false }, { true, false, false, false } },
        { "trailing", { false, true }, { false, true } },
        { "doubled", { false, true, true, false }, { false, false, true, false } },
        { "only separators", { true, true }, { true, true } },
    };
    for (auto const& c : cases) {
        ContextMenu menu;
        menu.set_viewport(window);
        std::vector<MenuItem> items;
        for (std::size_t i = 0; i < c.separators.size(); ++i)
            items.push_back(c.separators[i] ? MenuItem::separator() : MenuItem::entry("Item", i));
        for (std::size_t i = 0; i < items.size(); ++i)
            EXPECT_EQ(ui::is_redundant_separator(items, i), c.redundant[i]) << c.name << " " << i;
        for (auto const& item : items)
            menu.push(item);
        menu.open_at({ 100, 100 });
        for (std::size_t i = 0; i < items.size(); ++i)
            EXPECT_EQ(menu.item_rect({ 0, i }).height() == 0, c.redundant[i]) << c.name << " " << i;
    }

    // A leading separator leaves the first item at the top of the panel.
    ContextMenu menu;
    menu.set_viewport(window);
    menu.push(MenuItem::separator());
    menu.push(MenuItem::entry("New Folder", 1));
    menu.open_at({ 100, 100 });
    EXPECT_DOUBLE_EQ(menu.item_rect({ 0, 1 }).top, menu.rect().top + ContextMenu::vertical_padding);
    EXPECT_EQ(menu.item_at({ 150, menu.rect().top + ContextMenu::vertical_padding + 1 }), (MenuItemRef { 0, 1 }));
}
