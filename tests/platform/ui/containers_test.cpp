#include "ui/button.h"
#include "ui/column.h"
#include "ui/scrollable.h"
#include "ui/text.h"
#include "ui/text_renderer.h"

#include <gtest/gtest.h>

using ui::Button;
using ui::Column;
using ui::Rect;
using ui::Scrollable;
using ui::Sizing;

namespace {

// A plain widget of a fixed height that remembers the last event it saw.
struct Block : ui::Widget {
    explicit Block(double height)
        : m_height(height)
    {
    }
    ui::Size measure(ui::Size available, ui::LayoutContext&) override { return { available.width, m_height }; }
    ui::EventResult handle_event(ui::Event const& event) override
    {
        last = event;
        ++events;
        return ui::EventResult::Handled;
    }
    double m_height;
    std::optional<ui::Event> last;
    int events { 0 };
};

void press_release(ui::Widget& widget, ui::Point at)
{
    widget.handle_event(ui::PointerPressed { at, ui::PointerButton::Primary, {}, 1 });
    widget.handle_event(ui::PointerReleased { at, ui::PointerButton::Primary, {} });
}

}

TEST(Column, LaysOutChildrenWithGapPaddingAndSizing)
{
    ui::TextRenderer text;
    ui::LayoutContext context { text, {} };
    Column column;
    column.with_gap(8).with_padding(ui::Insets::all(10));
    auto& header = column.emplace<Block>(Sizing::content(0), 30);
    auto& body = column.emplace<Block>(Sizing::flexible(1), 5);
    auto& footer = column.emplace<Button>(Sizing::fixed(40), "ok", "OK");
    column.build_layout({ 0, 0, 400, 300 }, context);
    EXPECT_EQ(header.bounds(), (Rect { 10, 10, 390, 40 }));
    EXPECT_EQ(body.bounds(), (Rect { 10, 48, 390, 242 }));
    EXPECT_EQ(footer.bounds(), (Rect { 10, 250, 390, 290 }));

    // Moving the column moves its children without a new layout.
    column.apply_layout({ 100, 50, 500, 350 });
    EXPECT_EQ(footer.bounds(), (Rect { 110, 300, 490, 340 }));
    EXPECT_EQ(column.measure({ 400, 1000 }, context).height, 10 + 30 + 8 + 5 + 8 + 40 + 10);
}

TEST(Column, RoutesEventsAndGathersControls)
{
    ui::TextRenderer text;
    ui::LayoutContext context { text, {} };
    Column column;
    auto& top = column.emplace<Block>(Sizing::fixed(100), 0);
    auto& first = column.emplace<Button>(Sizing::fixed(32), "first", "First");
    auto& second = column.emplace<Button>(Sizing::fixed(32), "second", "Second");
    column.emplace<ui::Text>(Sizing::content(0), "Caption");
    column.build_layout({ 0, 0, 200, 400 }, context);

    press_release(column, { 50, 150 }); // inside "second"
    auto taken = column.take_control_invocation();
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->control_id, "second");
    EXPECT_FALSE(column.take_control_invocation());
    EXPECT_EQ(top.events, 0);

    // A press captures the pointer: releasing over another child still ends
    // the press where it began, so nothing is activated.
    column.handle_event(ui::PointerPressed { { 50, 110 }, ui::PointerButton::Primary, {}, 1 });
    column.handle_event(ui::PointerReleased { { 50, 50 }, ui::PointerButton::Primary, {} });
    EXPECT_FALSE(column.take_control_invocation());
    EXPECT_EQ(top.events, 0);

    // Tab focuses the first focusable child; keys go to it.
    column.handle_event(ui::KeyPressed { ui::Key::Tab, {}, {}, false });
    EXPECT_TRUE(first.has_focus());
    column.handle_event(ui::KeyPressed { ui::Key::Tab, {}, {}, false });
    EXPECT_TRUE(second.has_focus());
    EXPECT_FALSE(first.has_focus());
    column.handle_event(ui::KeyPressed { ui::Key::Enter, {}, {}, false });
    EXPECT_EQ(column.take_control_invocation()->control_id, "second");

    EXPECT_TRUE(column.invoke({ ui::control_invoke_action, 2, "\"first\"", {} }).is_handled());
    EXPECT_EQ(column.take_control_invocation()->control_id, "first");
    EXPECT_TRUE(column.perform_action("second", "activate"));
    EXPECT_EQ(column.take_control_invocation()->control_id, "second");
    EXPECT_TRUE(column.invoke({ ui::control_invoke_action, 2, "\"missing\"", {} }).is_not_handled());

    auto resources = column.resources();
    ASSERT_EQ(resources.size(), 2u);
    EXPECT_EQ(resources[0].address(), "kesu.control:first");
    EXPECT_EQ(resources[1].address(), "kesu.control:second");
    auto tree = column.accessibility();
    std::vector<ui::AccessNode const*> controls;
    tree.collect_controls(controls);
    ASSERT_EQ(controls.size(), 2u);
    ASSERT_EQ(tree.children.size(), 3u); // the plain block publishes nothing
    EXPECT_EQ(tree.children[2].role, ui::AccessRole::Text);
    EXPECT_EQ(tree.children[2].label, "Caption");
}

TEST(Column, ChildRequestsReachTheRoot)
{
    ui::TextRenderer text;
    ui::LayoutContext context { text, {} };
    Column column;
    auto& label = column.emplace<ui::Text>(Sizing::content(0), "Before");
    column.build_layout({ 0, 0, 200, 100 }, context);
    column.set_needs_layout(false);
    column.set_needs_redraw(false);
    label.set_text("After, and longer");
    column.handle_event(ui::PointerMoved { { 1, 1 }, {} });
    EXPECT_TRUE(column.needs_layout());
    EXPECT_TRUE(column.needs_redraw());
}

struct ScrollableFixture : testing::Test {
    ui::TextRenderer text;
    ui::LayoutContext context { text, {} };
    std::shared_ptr<ui::ScrollOffset> cell = std::make_shared<ui::ScrollOffset>();

    // Built afresh each time, as the explorer does on every layout.
    std::unique_ptr<Scrollable> build(double content, Rect viewport = { 0, 0, 300, 200 })
    {
        auto scroll = std::make_unique<Scrollable>(std::make_unique<Block>(content));
        scroll->with_persisted_offset(cell);
        scroll->build_layout(viewport, context);
        scroll->apply_layout(viewport);
        return scroll;
    }
    void wheel(Scrollable& scroll, double dy) { scroll.handle_event(ui::Scrolled { { 10, 10 }, 0, dy, {} }); }
};

TEST_F(ScrollableFixture, WheelScrollingClampsToTheContent)
{
    // The block swallows events, so the wheel goes through a content-sized
    // widget that ignores them.
    auto scroll = std::make_unique<Scrollable>(std::make_unique<ui::Text>("x"));
    scroll->with_persisted_offset(cell).with_content_height(1000);
    scroll->build_layout({ 0, 0, 300, 200 }, context);
    EXPECT_EQ(scroll->max_offset(), 800);
    wheel(*scroll, 150);
    EXPECT_EQ(cell->y, 150);
    wheel(*scroll, 5000);
    EXPECT_EQ(cell->y, 800);
    wheel(*scroll, -5000);
    EXPECT_EQ(cell->y, 0);
    // A wheel outside the viewport is not ours.
    scroll->handle_event(ui::Scrolled { { 10, 500 }, 0, 40, {} });
    EXPECT_EQ(cell->y, 0);
    EXPECT_FALSE(scroll->scrollbar_thumb().is_empty());

    scroll->with_content_height(150);
    scroll->build_layout({ 0, 0, 300, 200 }, context);
    wheel(*scroll, 40);
    EXPECT_EQ(cell->y, 0);
    EXPECT_TRUE(scroll->scrollbar_thumb().is_empty());
}

TEST_F(ScrollableFixture, OffsetSurvivesRebuildAndFollowsShrinkingContent)
{
    auto first = build(1000);
    first->scroll_to(600);
    first.reset();
    auto second = build(1000);
    EXPECT_EQ(second->offset(), 600);
    EXPECT_EQ(second->visible_content(), (Rect { 0, 600, 300, 800 }));
    // A shorter listing pulls the offset back into range.
    auto third = build(500);
    EXPECT_EQ(third->offset(), 300);
    EXPECT_EQ(cell->y, 300);
}

TEST_F(ScrollableFixture, PointerEventsArriveInContentCoordinates)
{
    auto column = std::make_unique<Column>();
    auto& target = column->emplace<Button>(Sizing::fixed(32), "deep", "Deep");
    column->emplace<Block>(Sizing::fixed(600), 0);
    // Put the button at content y 500–532.
    auto holder = std::make_unique<Column>();
    holder->emplace<Block>(Sizing::fixed(500), 0);
    holder->add(std::move(column), Sizing::fixed(632));
    Scrollable scroll(std::move(holder));
    scroll.with_persisted_offset(cell);
    scroll.build_layout({ 0, 0, 300, 200 }, context);
    scroll.scroll_to(450);
    EXPECT_EQ(target.bounds().top, 500);
    press_release(scroll, { 20, 60 }); // window y 60 + offset 450 = content 510
    auto taken = scroll.take_control_invocation();
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->control_id, "deep");
    // Accessibility bounds are where the button shows in the window.
    ui::AccessNode tree = scroll.accessibility();
    auto const* node = tree.find("deep");
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->bounds.top, 50);
}
