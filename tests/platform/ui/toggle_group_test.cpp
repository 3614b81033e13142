#include "ui/text_renderer.h"
#include "ui/toggle_group.h"

#include <gtest/gtest.h>

using ui::ToggleGroup;

namespace {

ui::ActionInvocation control_invocation(std::string payload)
{
    return { ui::control_invoke_action, static_cast<int>(ui::InvocationKind::Navigation), std::move(payload), {} };
}

class ToggleGroupTest : public testing::Test {
protected:
    ui::TextRenderer m_renderer;
    ToggleGroup m_group { "files.view-mode", "List / Grid",
        { { "List", ui::Icon::List, false }, { "Grid", ui::Icon::Grid, false } }, 0 };

    void SetUp() override
    {
        ui::LayoutContext context { m_renderer, {} };
        auto size = m_group.measure({ 1000, 32 }, context);
        ui::Rect bounds = ui::Rect::from_size({ 10, 10 }, size);
        m_group.build_layout(bounds, context);
        m_group.apply_layout(bounds);
    }

    void click(std::size_t option)
    {
        auto at = m_group.option_rects().at(option).center();
        m_group.handle_event(ui::PointerPressed { at, ui::PointerButton::Primary, {}, 1 });
        m_group.handle_event(ui::PointerReleased { at, ui::PointerButton::Primary, {} });
    }
};

TEST_F(ToggleGroupTest, ClicksReportEachChangeOnce)
{
    ASSERT_EQ(m_group.option_rects().size(), 2u);
    EXPECT_LE(m_group.option_rects()[0].right, m_group.option_rects()[1].left + 0.01);
    click(0);
    EXPECT_EQ(m_group.take_selection_change(), std::nullopt) << "the selected option changes nothing";
    click(1);
    EXPECT_EQ(m_group.selected(), 1u);
    auto invocation = m_group.take_control_invocation();
    ASSERT_TRUE(invocation.has_value());
    EXPECT_EQ(invocation->control_id, "files.view-mode");
    EXPECT_EQ(m_group.take_control_invocation(), std::nullopt);

    m_group.set_selected(0);
    EXPECT_EQ(m_group.take_selection_change(), std::nullopt) << "the owner's own change is not reported back";

    // Dragging from one option to the other before releasing chooses nothing.
    m_group.handle_event(ui::PointerPressed { m_group.option_rects()[1].center(), ui::PointerButton::Primary, {}, 1 });
    m_group.handle_event(ui::PointerReleased { m_group.option_rects()[0].center(), ui::PointerButton::Primary, {} });
    EXPECT_EQ(m_group.selected(), 0u);
}

TEST_F(ToggleGroupTest, KeysMoveTheSelectionWhileFocused)
{
    m_group.handle_event(ui::KeyPressed { ui::Key::Right, {}, {}, false });
    EXPECT_EQ(m_group.selected(), 0u) << "unfocused";
    m_group.set_focus(true);
    m_group.handle_event(ui::KeyPressed { ui::Key::Right, {}, {}, false });
    m_group.handle_event(ui::KeyPressed { ui::Key::Right, {}, {}, false });
    EXPECT_EQ(m_group.selected(), 1u);
    EXPECT_EQ(m_group.take_selection_change(), 1u);
    m_group.handle_event(ui::KeyPressed { ui::Key::Home, {}, {}, false });
    EXPECT_EQ(m_group.take_selection_change(), 0u);
}

TEST_F(ToggleGroupTest, PublishedAsAControlWithCheckedOptions)
{
    auto resources = m_group.resources();
    ASSERT_EQ(resources.size(), 1u);
    EXPECT_EQ(resources[0].kind(), "kesu.control");
    EXPECT_EQ(resources[0].address(), "kesu.control:files.view-mode");

    auto node = m_group.accessibility();
    EXPECT_EQ(node.control_id, "files.view-mode");
    ASSERT_EQ(node.children.size(), 2u);
    EXPECT_EQ(node.children[0].checked, true);
    EXPECT_EQ(node.children[1].checked, false);
    EXPECT_EQ(node.children[1].label, "Grid");

    EXPECT_TRUE(m_group.invoke(control_invocation("\"files.view-mode\"")).is_handled());
    EXPECT_EQ(m_group.selected(), 1u) << "invoking the group moves to the next option";
    EXPECT_TRUE(m_group.invoke(control_invocation("\"files.back\"")).is_not_handled());
    EXPECT_TRUE(m_group.perform_action(m_group.option_node_id(0), "activate"));
    EXPECT_EQ(m_group.selected(), 0u);
    EXPECT_FALSE(m_group.perform_action("files.view-mode:7", "activate"));
}

}
