#include "ui/button.h"
#include "ui/text_renderer.h"

#include <functional>
#include <vector>

#include <gtest/gtest.h>

using ui::Button;
using ui::Event;
using ui::Point;

namespace {

ui::ActionInvocation control_invocation(std::string payload)
{
    return { ui::control_invoke_action, static_cast<int>(ui::InvocationKind::Navigation), std::move(payload), {} };
}

struct ButtonFixture : testing::Test {
    ui::TextRenderer text;
    Button button { "files.retry", "Try Again", ui::ButtonStyle::Emphasised };

    void SetUp() override
    {
        ui::LayoutContext context { text, {} };
        button.build_layout(ui::Rect::from_xywh(10, 10, 120, Button::base_height), context);
        button.apply_layout(button.bounds());
    }

    void send(Event const& event) { button.handle_event(event); }
    void click(Point press, Point release)
    {
        send(ui::PointerPressed { press, ui::PointerButton::Primary, {}, 1 });
        send(ui::PointerReleased { release, ui::PointerButton::Primary, {} });
    }
    int drain()
    {
        int count = 0;
        while (auto invocation = button.take_control_invocation()) {
            EXPECT_EQ(invocation->control_id, "files.retry");
            ++count;
        }
        return count;
    }
};

}

TEST_F(ButtonFixture, EveryActivationPathRecordsOneInvocation)
{
    struct Case {
        char const* name;
        std::function<void(ButtonFixture&)> act;
        int expected;
    };
    std::vector<Case> const cases {
        { "click inside",
            [](ButtonFixture& f) {
                f.click({ 20, 20 }, { 30, 25 });
            },
            1 },
        { "release outside cancels",
            [](ButtonFixture& f) {
                f.click({ 20, 20 }, { 300, 25 });
            },
            0 },
        { "press outside",
            [](ButtonFixture& f) {
                f.click({ 5, 5 }, { 20, 20 });
            },
            0 },
        { "secondary button",
            [](ButtonFixture& f) {
                f.send(ui::PointerPressed { { 20, 20 }, ui::PointerButton::Secondary, {}, 1 });
                f.send(ui::PointerReleased { { 20, 20 }, ui::PointerButton::Secondary, {} });
            },
            0 },
        { "invoke with its id",
            [](ButtonFixture& f) { EXPECT_TRUE(f.button.invoke(control_invocation("\"files.retry\"")).is_handled()); },
            1 },
        { "invoke with another id",
            [](ButtonFixture& f) {
                EXPECT_TRUE(f.button.invoke(control_invocation("\"files.other\"")).is_not_handled());
            },
            0 },
        { "invoke with a bare id",
            [](ButtonFixture& f) { EXPECT_TRUE(f.button.invoke(control_invocation("files.retry")).is_not_handled()); },
            0 },
        { "other action id",
            [](ButtonFixture& f) {
                auto call = control_invocation("\"files.retry\"");
                call.action_id = "files.refresh";
                EXPECT_TRUE(f.button.invoke(call).is_not_handled());
            },
            0 },
        { "accessibility activate",
            [](ButtonFixture& f) { EXPECT_TRUE(f.button.perform_action("files.retry", "activate")); }, 1 },
        { "accessibility on another node",
            [](ButtonFixture& f) { EXPECT_FALSE(f.button.perform_action("files.other", "activate")); }, 0 },
        { "Enter while focused",
            [](ButtonFixture& f) {
                f.button.set_focus(true);
                f.send(ui::KeyPressed { ui::Key::Enter, {}, {}, false });
            },
            1 },
        { "Space while focused",
            [](ButtonFixture& f) {
                f.button.set_focus(true);
                f.send(ui::KeyPressed { ui::Key::Space, {}, {}, false });
            },
            1 },
        { "Enter without focus",
            [](ButtonFixture& f) {
                f.send(ui::KeyPressed { ui::Key::Enter, {}, {}, false });
            },
            0 },
        { "two clicks",
            [](ButtonFixture& f) {
                f.click({ 20, 20 }, { 20, 20 });
                f.click({ 20, 20 }, { 20, 20 });
            },
            2 },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        button.set_focus(false);
        c.act(*this);
        EXPECT_EQ(drain(), c.expected);
    }
}

TEST_F(ButtonFixture, DisabledButtonRefusesActivation)
{
    button.set_disabled(true);
    click({ 20, 20 }, { 20, 20 });
    EXPECT_FALSE(button.perform_action("files.retry", "activate"));
    auto answer = button.invoke(control_invocation("\"files.retry\""));
    EXPECT_EQ(answer.outcome, ui::InvokeResult::Outcome::Failed);
    EXPECT_EQ(answer.failure, "this control is disabled");
    EXPECT_EQ(drain(), 0);
    EXPECT_TRUE(button.accessibility().disabled);
}

TEST_F(ButtonFixture, PublishesAControlResourceAndNode)
{
    auto resources = button.resources();
    ASSERT_EQ(resources.size(), 1u);
    EXPECT_EQ(resources[0].kind(), "kesu.control");
    EXPECT_EQ(resources[0].address(), "kesu.control:files.retry");
    auto const* invoke = resources[0].find_action("invoke");
    ASSERT_NE(invoke, nullptr);
    EXPECT_EQ(invoke->action_id(), "kesu.ui.control.invoke");
    ASSERT_TRUE(invoke->payload());
    // What the desktop sends back from the resource activates the button.
    EXPECT_TRUE(button.invoke(control_invocation(*invoke->payload())).is_handled());
    EXPECT_EQ(drain(), 1);

    auto node = button.accessibility();
    EXPECT_EQ(node.role, ui::AccessRole::Button);
    EXPECT_EQ(node.label, "Try Again");
    EXPECT_EQ(node.control_id, "files.retry");
    EXPECT_EQ(node.actions, std::vector<std::string> { "activate" });
    EXPECT_EQ(node.bounds, button.bounds());
}

TEST_F(ButtonFixture, MeasureFollowsLabelAndIcon)
{
    ui::LayoutContext context { text, {} };
    ui::Size wide { 1000, 100 };
    Button plain("a", "Open");
    Button longer("b", "Open in Terminal");
    Button with_icon("c", "Open");
    with_icon.with_icon(ui::Icon::Terminal);
    double plain_width = plain.measure(wide, context).width;
    EXPECT_GT(longer.measure(wide, context).width, plain_width);
    EXPECT_GT(with_icon.measure(wide, context).width, plain_width);
    EXPECT_EQ(plain.measure(wide, context).height, Button::base_height);
    EXPECT_LE(longer.measure({ 50, 100 }, context).width, 50);
}
