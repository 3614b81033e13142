#include "support/temp_dir.h"
#include "toolbar/file_toolbar.h"
#include "toolbar/toolbar_button.h"
#include "ui/text_renderer.h"

#include <gtest/gtest.h>

using namespace files::toolbar;

namespace {

ui::ActionInvocation control_invocation(std::string const& id)
{
    return { ui::control_invoke_action, static_cast<int>(ui::InvocationKind::Navigation), "\"" + id + "\"", {} };
}

class ToolbarTest : public testing::Test {
protected:
    test_support::TempDir m_temp;
    std::filesystem::path m_home = m_temp.make_folder("home/user");
    ui::TextRenderer m_renderer;
    FileToolbar m_toolbar { {}, m_home };

    void SetUp() override
    {
        m_toolbar.set_location(m_home);
        lay_out(1280);
    }

    // One frame as the toolkit runs it: build, then apply.
    void lay_out(double width)
    {
        ui::LayoutContext context { m_renderer, {} };
        ui::Rect bounds { 0, 0, width, FileToolbar::height };
        m_toolbar.build_layout(bounds, context);
        m_toolbar.apply_layout(bounds);
    }

    std::vector<std::string> control_ids() const
    {
        std::vector<std::string> ids;
        for (auto const* child : m_toolbar.children()) {
            auto node = child->accessibility();
            ids.push_back(node.control_id.empty() ? node.id : node.control_id);
        }
        return ids;
    }
};

TEST_F(ToolbarTest, ControlsFollowWidthViewModeAndArchive)
{
    struct Case {
        double width;
        ViewMode mode;
        bool archive;
        std::vector<std::string> ids;
    };
    Case const cases[] = {
        { 1280, ViewMode::List, false,
            { "files.back", "files.forward", "files.up", "files.path_bar", "files.view-mode", "files.view_menu" } },
        { 1280, ViewMode::Grid, false,
            { "files.back", "files.forward", "files.up", "files.path_bar", "files.view-mode", "files.sort_menu",
                "files.view_menu" } },
        { 760, ViewMode::Grid, true,
            { "files.back", "files.forward", "files.up", "files.path_bar", "files.view-mode", "files.sort_menu",
                "files.archive.extract" } },
        { 759, ViewMode::Grid, false, { "files.back", "files.up", "files.path_bar", "files.view_menu" } },
        { 759, ViewMode::Grid, true, { "files.back", "files.up", "files.path_bar", "files.archive.extract" } },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(
            testing::Message() << c.width << " px, grid " << (c.mode == ViewMode::Grid) << ", archive " << c.archive);
        m_toolbar.set_view_mode(c.mode);
        m_toolbar.set_inside_archive(c.archive);
        lay_out(c.width);
        EXPECT_EQ(m_toolbar.is_compact(), c.width < 760);
        EXPECT_EQ(control_ids(), c.ids);
        if (auto* extract = dynamic_cast<ToolbarButton*>(m_toolbar.control(control_ids::extract))) {
            EXPECT_EQ(extract->label_display(), c.width < 760 ? LabelDisplay::IconOnly : LabelDisplay::IconAndText);
            EXPECT_EQ(extract->accessibility().label, "Extract archive\u2026");
            if (c.width < 760)
                EXPECT_EQ(extract->bounds().width(), 36);
            else
                EXPECT_GE(extract->bounds().width(), 104);
        }
    }
}

TEST_F(ToolbarTest, ControlsAreLaidOutFromBothEdgesAroundThePathBar)
{
    m_toolbar.set_view_mode(ViewMode::Grid);
    lay_out(1280);
    auto* back = m_toolbar.control(control_ids::back);
    auto* up = m_toolbar.control(control_ids::up);
    auto* sort = m_toolbar.control(control_ids::sort_menu);
    auto* options = m_toolbar.control(control_ids::view_menu);
    ASSERT_TRUE(back && up && sort && options);
    EXPECT_EQ(back->bounds().size(), (ui::Size { 36, 32 }));
    EXPECT_EQ(sort->bounds().size(), (ui::Size { 104, 32 }));
    EXPECT_LT(back->bounds().right, m_toolbar.control(control_ids::forward)->bounds().left);
    EXPECT_EQ(options->bounds().right, 1280 - 8);
    auto const& bar = m_toolbar.path_bar().bounds();
    EXPECT_GT(bar.left, up->bounds().right);
    EXPECT_LT(bar.right, m_toolbar.control(control_ids::view_mode)->bounds().left);
    EXPECT_EQ(bar.height(), files::path_bar::PathBar::height);
}

TEST_F(ToolbarTest, EveryControlQueuesItsMessage)
{
    m_toolbar.set_view_mode(ViewMode::Grid);
    lay_out(1280);
    struct Case {
        char const* id;
        ToolbarMessage message;
    };
    Case const cases[] = {
        { control_ids::back, GoBack {} },
        { control_ids::forward, GoForward {} },
        { control_ids::up, GoUp {} },
        { control_ids::sort_menu, OpenSortMenu {} },
        { control_ids::view_menu, OpenViewMenu {} },
        { control_ids::view_mode, SetViewMode { ViewMode::List } },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_TRUE(m_toolbar.invoke(control_invocation(c.id)).is_handled());
        EXPECT_EQ(m_toolbar.take_messages(), std::vector<ToolbarMessage> { c.message });
    }
    EXPECT_TRUE(m_toolbar.invoke(control_invocation("files.retry")).is_not_handled());

    m_toolbar.set_inside_archive(true);
    lay_out(1280);
    EXPECT_TRUE(m_toolbar.invoke(control_invocation(control_ids::extract)).is_handled());
    EXPECT_EQ(m_toolbar.take_messages(), std::vector<ToolbarMessage> { ExtractArchive {} });
}

TEST_F(ToolbarTest, PointerAndKeyboardReachTheControls)
{
    auto click = [&](ui::Point at) {
        m_toolbar.handle_event(ui::PointerPressed { at, ui::PointerButton::Primary, {}, 1 });
        m_toolbar.handle_event(ui::PointerReleased { at, ui::PointerButton::Primary, {} });
    };
    click(m_toolbar.control(control_ids::back)->bounds().center());
    auto* toggle = dynamic_cast<ui::ToggleGroup*>(m_toolbar.control(control_ids::view_mode));
    ASSERT_NE(toggle, nullptr);
    click(toggle->option_rects().at(1).center());
    EXPECT_EQ(m_toolbar.take_messages(), (std::vector<ToolbarMessage> { GoBack {}, SetViewMode { ViewMode::Grid } }));

    // Keyboard: focus lands on the path bar; Tab walks on to the right controls.
    m_toolbar.set_focus(true);
    EXPECT_TRUE(m_toolbar.path_bar().has_focus());
    m_toolbar.handle_event(ui::KeyPressed { ui::Key::Tab, {}, {}, false });
    m_toolbar.handle_event(ui::KeyPressed { ui::Key::Tab, {}, {}, false });
    EXPECT_TRUE(m_toolbar.control(control_ids::view_menu)->has_focus());
    m_toolbar.handle_event(ui::KeyPressed { ui::Key::Enter, {}, {}, false });
    EXPECT_EQ(m_toolbar.take_messages(), std::vector<ToolbarMessage> { OpenViewMenu {} });
    EXPECT_EQ(m_toolbar.handle_event(ui::KeyPressed { ui::Key::Tab, {}, {}, false }), ui::EventResult::Ignored)
        << "Tab past the last control leaves the toolbar";
}

TEST_F(ToolbarTest, PathBarRequestsArePassedOn)
{
    m_toolbar.set_location(m_home);
    lay_out(1280);
    m_toolbar.path_bar().begin_edit();
    m_toolbar.set_focus(true);
    m_toolbar.handle_event(ui::KeyPressed { std::nullopt, "/tmp", {}, false });
    m_toolbar.handle_event(ui::KeyPressed { ui::Key::Enter, {}, {}, false });
    EXPECT_EQ(m_toolbar.take_messages(), std::vector<ToolbarMessage> { files::path_bar::NavigateToText { "/tmp" } });
}

TEST_F(ToolbarTest, AnOpenLocationEditorTakesTheKeysWithoutRowFocus)
{
    // The owner opens the editor for primary+L, and a click opens it too;
    // neither gives the row itself keyboard focus.
    struct Case {
        char const* name;
        bool by_click;
    };
    for (auto const& c : { Case { "opened by the owner", false }, Case { "opened by a click", true } }) {
        SCOPED_TRACE(c.name);
        m_toolbar.set_location(m_home);
        lay_out(1280);
        ASSERT_FALSE(m_toolbar.has_focus());
        if (c.by_click) {
            auto at = m_toolbar.path_bar().bounds().center();
            m_toolbar.handle_event(ui::PointerPressed { at, ui::PointerButton::Primary, {}, 1 });
            m_toolbar.handle_event(ui::PointerReleased { at, ui::PointerButton::Primary, {} });
        } else {
            m_toolbar.path_bar().begin_edit();
        }
        ASSERT_TRUE(m_toolbar.path_bar().is_editing());
        EXPECT_EQ(m_toolbar.handle_event(ui::KeyPressed { std::nullopt, "/tmp", {}, false }), ui::EventResult::Handled);
        m_toolbar.handle_event(ui::KeyPressed { ui::Key::Enter, {}, {}, false });
        EXPECT_EQ(
            m_toolbar.take_messages(), std::vector<ToolbarMessage> { files::path_bar::NavigateToText { "/tmp" } });
        EXPECT_FALSE(m_toolbar.path_bar().is_editing());
    }
}

TEST_F(ToolbarTest, ControlsArePublishedAndRebuiltOnlyWhenTheyChange)
{
    auto resources = m_toolbar.resources();
    std::vector<std::string> addresses;
    for (auto const& resource : resources)
        addresses.push_back(resource.address());
    EXPECT_EQ(addresses,
        (std::vector<std::string> { "kesu.control:files.back", "kesu.control:files.forward", "kesu.control:files.up",
            "kesu.control:files.view-mode", "kesu.control:files.view_menu" }));

    // A press held across a frame still clicks: an unchanged row is not rebuilt.
    auto* back = m_toolbar.control(control_ids::back);
    auto at = back->bounds().center();
    m_toolbar.handle_event(ui::PointerPressed { at, ui::PointerButton::Primary, {}, 1 });
    lay_out(1280);
    EXPECT_EQ(m_toolbar.control(control_ids::back), back);
    m_toolbar.handle_event(ui::PointerReleased { at, ui::PointerButton::Primary, {} });
    EXPECT_EQ(m_toolbar.take_messages(), std::vector<ToolbarMessage> { GoBack {} });
}

}

TEST_F(ToolbarTest, NavigationButtonsThatLeadNowhereAreDisabled)
{
    auto disabled = [&](char const* id) {
        auto* control = m_toolbar.control(id);
        return control && control->accessibility().disabled;
    };
    EXPECT_FALSE(disabled(control_ids::back));
    m_toolbar.set_navigation(false, true, false);
    EXPECT_TRUE(disabled(control_ids::back));
    EXPECT_FALSE(disabled(control_ids::forward));
    EXPECT_TRUE(disabled(control_ids::up));
    // A disabled button does nothing when invoked.
    (void)m_toolbar.invoke(control_invocation(control_ids::back));
    EXPECT_TRUE(m_toolbar.take_messages().empty());
    // The state survives the controls being rebuilt at another width.
    lay_out(600);
    lay_out(1280);
    EXPECT_TRUE(disabled(control_ids::back));
    EXPECT_FALSE(disabled(control_ids::forward));
}
