#include "ui/nav_shell.h"
#include "ui/text_renderer.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using ui::NavShell;
using ui::Rect;

namespace {

// A child that takes every event inside its rectangle (and every key) and
// keeps a log of what reached it.
struct Recorder : ui::Widget {
    std::string name;
    std::vector<std::string>* log;
    Recorder(std::string n, std::vector<std::string>* l)
        : name(std::move(n))
        , log(l)
    {
    }
    ui::EventResult handle_event(ui::Event const& event) override
    {
        char const* kinds[] = { "move", "press", "release", "left", "scroll", "key" };
        log->push_back(name + " " + kinds[event.index()]);
        if (std::holds_alternative<ui::PointerLeft>(event))
            return ui::EventResult::Ignored;
        return ui::EventResult::Handled;
    }
    ui::AccessNode accessibility() const override { return { name, ui::AccessRole::Group, name }; }
};

constexpr double threshold = 640;
ui::Clock::time_point const t0 = ui::Clock::time_point {} + 100s;

struct ShellFixture : testing::Test {
    ui::TextRenderer text;
    std::vector<std::string> log;
    std::unique_ptr<NavShell> shell = NavShell::sidebar_over_content(
        std::make_unique<Recorder>("sidebar", &log), std::make_unique<Recorder>("content", &log), threshold);

    void lay_out(double width, double height = 500)
    {
        ui::LayoutContext context { text, {} };
        shell->build_layout(Rect::from_xywh(0, 48, width, height), context);
    }
    void sync(ui::Clock::time_point now, bool reduced = false) { shell->sync({ now, 1.0, reduced }); }
    // Runs frames until the slide has finished.
    void settle()
    {
        clock += 10s;
        sync(clock);
        clock += NavShell::slide_duration;
        sync(clock);
    }
    void show_overlay()
    {
        shell->set_sidebar_shown(true);
        settle();
    }
    ui::Clock::time_point clock = t0 + 1h;
    void click(ui::Point at)
    {
        shell->handle_event(ui::PointerPressed { at, ui::PointerButton::Primary, {}, 1 });
        shell->handle_event(ui::PointerReleased { at, ui::PointerButton::Primary, {} });
    }
    ui::EventResult key(ui::Key k) { return shell->handle_event(ui::KeyPressed { k, {}, {}, false }); }
    std::vector<std::string> take_log() { return std::exchange(log, {}); }
};

}

TEST_F(ShellFixture, WideAtTheThresholdNarrowBelowIt)
{
    struct Case {
        double width;
        bool narrow;
        Rect sidebar;
        Rect content;
    };
    std::vector<Case> const cases {
        { threshold, false, { 0, 48, 232, 548 }, { 232, 48, threshold, 548 } },
        { threshold - 1, true, { 0, 48, 232, 548 }, { 0, 48, threshold - 1, 548 } },
        // A very narrow window keeps a strip of scrim beside the panel.
        { 200, true, { 0, 48, 200 - NavShell::overlay_min_scrim, 548 }, { 0, 48, 200, 548 } },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.width);
        lay_out(c.width);
        EXPECT_EQ(shell->is_narrow(), c.narrow);
        EXPECT_EQ(shell->sidebar_rect(), c.sidebar);
        EXPECT_EQ(shell->content_rect(), c.content);
        EXPECT_FALSE(shell->is_sidebar_over_content()) << "narrow starts with the sidebar hidden";
        EXPECT_EQ(shell->scrim_rect(), Rect {});
    }
    shell->set_narrow_threshold(0);
    EXPECT_EQ(shell->narrow_threshold(), 1);
}

TEST_F(ShellFixture, WideRoutesPointerToThePartUnderItAndKeysToTheFocusedPart)
{
    lay_out(1000);
    shell->set_focus(true);
    click({ 100, 200 });
    click({ 500, 200 });
    key(ui::Key::Down);
    EXPECT_EQ(take_log(),
        (std::vector<std::string> {
            "sidebar press", "sidebar release", "content press", "content release", "content key" }));
    EXPECT_EQ(shell->last_event_part(), ui::NavShellPart::Content);
    EXPECT_TRUE(shell->content().has_focus());
    EXPECT_FALSE(shell->sidebar().has_focus());

    // A press captures the pointer: its release reaches the same part.
    shell->handle_event(ui::PointerPressed { { 100, 200 }, ui::PointerButton::Primary, {}, 1 });
    shell->handle_event(ui::PointerReleased { { 700, 200 }, ui::PointerButton::Primary, {} });
    EXPECT_EQ(take_log(), (std::vector<std::string> { "sidebar press", "sidebar release" }));

    shell->set_sidebar_shown(true);
    EXPECT_FALSE(shell->is_sidebar_over_content()) << "a wide window has no overlay";
}

TEST_F(ShellFixture, TheOverlaySlidesInAndThenSleeps)
{
    lay_out(600);
    EXPECT_FALSE(shell->needs_animation_frame());
    shell->set_sidebar_shown(true);
    EXPECT_TRUE(shell->needs_animation_frame());
    sync(t0);
    EXPECT_EQ(shell->overlay_progress(), 0);
    sync(t0 + NavShell::slide_duration / 2);
    double half = shell->overlay_progress();
    EXPECT_GT(half, 0);
    EXPECT_LT(half, 1);
    EXPECT_TRUE(shell->is_sidebar_over_content());
    EXPECT_GT(shell->scrim_rect().left, 0) << "the scrim starts where the sliding panel ends";
    EXPECT_LT(shell->scrim_rect().left, 232);
    sync(t0 + NavShell::slide_duration);
    EXPECT_EQ(shell->overlay_progress(), 1);
    EXPECT_FALSE(shell->needs_animation_frame());
    EXPECT_EQ(shell->scrim_rect(), (Rect { 232, 48, 600, 548 }));
    EXPECT_GT(shell->scrim_color().a, 0);

    // Reduced motion snaps both ways.
    shell->set_sidebar_shown(false);
    sync(t0 + 1s, true);
    EXPECT_EQ(shell->overlay_progress(), 0);
    EXPECT_FALSE(shell->needs_animation_frame());
    EXPECT_EQ(shell->scrim_rect(), Rect {});
}

TEST_F(ShellFixture, PressOnTheScrimDismissesAndNeverReachesTheContent)
{
    lay_out(600);
    show_overlay();
    click({ 400, 200 });
    EXPECT_TRUE(take_log().empty());
    EXPECT_EQ(shell->last_event_part(), ui::NavShellPart::Scrim);
    settle();
    EXPECT_FALSE(shell->is_sidebar_over_content());

    show_overlay();
    EXPECT_EQ(key(ui::Key::Escape), ui::EventResult::Handled);
    settle();
    EXPECT_FALSE(shell->is_sidebar_over_content());
    EXPECT_TRUE(take_log().empty());
}

TEST_F(ShellFixture, AnEventThatNavigatedDismissesTheOverlay)
{
    lay_out(600);
    show_overlay();
    shell->set_focus(true);
    EXPECT_EQ(key(ui::Key::Down), ui::EventResult::Handled);
    EXPECT_FALSE(shell->last_event_navigated());
    click({ 100, 200 });
    EXPECT_TRUE(shell->last_event_navigated());
    EXPECT_EQ(take_log(), (std::vector<std::string> { "sidebar key", "sidebar press", "sidebar release" }));
    settle();
    EXPECT_FALSE(shell->is_sidebar_over_content());

    // The owner's probe decides when it knows better (a reorder drag).
    bool navigated = false;
    shell->set_navigation_probe([&] { return navigated; });
    show_overlay();
    click({ 100, 200 });
    EXPECT_FALSE(shell->last_event_navigated());
    EXPECT_TRUE(shell->is_sidebar_over_content());
    navigated = true;
    key(ui::Key::Enter);
    EXPECT_TRUE(shell->last_event_navigated());
}

TEST_F(ShellFixture, WideningDocksTheSidebar)
{
    lay_out(600);
    show_overlay();
    lay_out(900);
    EXPECT_FALSE(shell->is_sidebar_over_content());
    lay_out(600);
    EXPECT_FALSE(shell->is_sidebar_over_content()) << "narrowing again starts hidden";
    shell->snap_sidebar_shown();
    EXPECT_EQ(shell->overlay_progress(), 1);
    EXPECT_FALSE(shell->needs_animation_frame());
}

TEST_F(ShellFixture, TheToggleIsAControlOnlyInANarrowWindow)
{
    auto toggle_node = [&]() -> ui::AccessNode const* {
        static ui::AccessNode tree;
        tree = shell->accessibility();
        return tree.find(NavShell::toggle_control_id);
    };
    auto invoke = [&] { return shell->invoke({ ui::control_invoke_action, 2, "\"kesu.nav-shell.sidebar\"", {} }); };
    lay_out(1000);
    EXPECT_EQ(toggle_node(), nullptr);
    ui::InvokeResult refused = invoke();
    EXPECT_EQ(refused.outcome, ui::InvokeResult::Outcome::Failed);
    EXPECT_EQ(refused.failure, "this control is disabled");

    lay_out(600);
    ASSERT_NE(toggle_node(), nullptr);
    EXPECT_EQ(toggle_node()->control_id, NavShell::toggle_control_id);
    EXPECT_EQ(toggle_node()->label, "Show sidebar");
    EXPECT_EQ(shell->accessibility().find("sidebar"), nullptr) << "the hidden sidebar is not exposed";
    EXPECT_TRUE(invoke().is_handled());
    EXPECT_TRUE(shell->is_sidebar_over_content());
    EXPECT_EQ(toggle_node()->label, "Hide sidebar");
    EXPECT_NE(shell->accessibility().find("sidebar"), nullptr);
    EXPECT_EQ(shell->accessibility().find("content"), nullptr) << "the content behind the scrim is inert";

    // The toggle button itself, at the content's bottom-left corner.
    shell->set_sidebar_shown(false);
    sync(t0 + 1s, true);
    click(shell->toggle_rect().center());
    EXPECT_TRUE(shell->is_sidebar_over_content());
    EXPECT_TRUE(take_log().empty());
}
