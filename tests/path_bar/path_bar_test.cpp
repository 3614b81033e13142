#include "path_bar/path_bar.h"
#include "path_bar/suggestion_source.h"
#include "support/temp_dir.h"
#include "ui/text_renderer.h"

#include <gtest/gtest.h>

using namespace files::path_bar;
using ui::Key;

namespace {

std::vector<std::string> labels(std::vector<Segment> const& segments)
{
    std::vector<std::string> out;
    for (auto const& segment : segments)
        out.push_back(segment.label);
    return out;
}

TEST(Breadcrumbs, SegmentsForLocations)
{
    struct Case {
        char const* name;
        std::filesystem::path location;
        std::vector<std::filesystem::path> roots;
        std::optional<std::filesystem::path> home;
        std::vector<std::string> labels;
        std::filesystem::path last_path;
        LeadingIcon icon;
    };
    Case const cases[] = {
        { "below home", "/home/user/Documents/Reports", {}, "/home/user", { "Home", "Documents", "Reports" },
            "/home/user/Documents/Reports", LeadingIcon::Home },
        { "home itself", "/home/user", {}, "/home/user", { "Home" }, "/home/user", LeadingIcon::Home },
        { "outside home", "/etc", {}, "/home/user", { "/", "etc" }, "/etc", LeadingIcon::Drive },
        { "the root", "/", {}, "/home/user", { "/" }, "/", LeadingIcon::Drive },
        { "no home known", "/home/user/a", {}, std::nullopt, { "/", "home", "user", "a" }, "/home/user/a",
            LeadingIcon::Drive },
        { "a workspace root wins over home", "/home/user/Shared/Plans/Q3", { "/home/user/Shared" }, "/home/user",
            { "Shared", "Plans", "Q3" }, "/home/user/Shared/Plans/Q3", LeadingIcon::Workspace },
        { "the first matching root in list order", "/workspace/Team/Docs", { "/workspace/Team", "/workspace" }, {},
            { "Team", "Docs" }, "/workspace/Team/Docs", LeadingIcon::Workspace },
        { "a root without a name", "/srv/x", { "/" }, {}, { "Workspace", "srv", "x" }, "/srv/x",
            LeadingIcon::Workspace },
        { "dot components are skipped", "/etc/./ssh/../x/", {}, {}, { "/", "etc", "ssh", "x" }, "/etc/ssh/x",
            LeadingIcon::Drive },
        { "invalid UTF-8 is replaced", "/data/bad\xFFname", {}, {}, { "/", "data", "bad\xEF\xBF\xBDname" },
            "/data/bad\xFFname", LeadingIcon::Drive },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        auto crumbs = breadcrumbs_for(c.location, c.roots, c.home);
        EXPECT_EQ(labels(crumbs.segments), c.labels);
        EXPECT_EQ(crumbs.segments.back().path, c.last_path);
        EXPECT_EQ(crumbs.icon, c.icon);
    }
    auto crumbs = breadcrumbs_for("/home/user/Documents/Reports", {}, "/home/user");
    EXPECT_EQ(crumbs.segments[1].path, "/home/user/Documents");
}

TEST(Breadcrumbs, NarrowBarsCollapseBehindAnEllipsis)
{
    BreadcrumbMetrics metrics { { 40, 70, 60, 80 }, 6, 12 };
    double slot = metrics.separator_slot();
    ASSERT_EQ(slot, 18);
    // Everything: 26 (icon) + 40 + 70 + 60 + 80 + 3 slots = 330, plus the 4 px margin.
    auto wide = layout_breadcrumbs({ 0, 0, 334, 34 }, metrics);
    EXPECT_FALSE(wide.collapsed);
    ASSERT_EQ(wide.items.size(), 4u);
    EXPECT_EQ(wide.items[0].rect.left, 26);
    EXPECT_FALSE(wide.items[0].separator_before);
    EXPECT_EQ(wide.items[1].rect.left, 26 + 40 + slot);
    EXPECT_TRUE(wide.items[3].current);

    // One pixel less: "…" then the segments that fit, kept in order.
    auto narrower = layout_breadcrumbs({ 0, 0, 333, 34 }, metrics);
    EXPECT_TRUE(narrower.collapsed);
    ASSERT_EQ(narrower.items.size(), 4u);
    EXPECT_EQ(narrower.items[0].segment, std::nullopt);
    EXPECT_EQ(narrower.items[1].segment, 1u);
    EXPECT_EQ(narrower.items[3].segment, 3u);

    // Very narrow: the ellipsis and the last segment only, clipped to the bar.
    auto narrow = layout_breadcrumbs({ 0, 0, 120, 34 }, metrics);
    ASSERT_EQ(narrow.items.size(), 2u);
    EXPECT_EQ(narrow.items[0].segment, std::nullopt);
    EXPECT_EQ(narrow.items[1].segment, 3u);
    EXPECT_TRUE(narrow.items[1].separator_before);
    EXPECT_LE(narrow.items[1].rect.right, 116);

    // A single segment never collapses.
    auto single = layout_breadcrumbs({ 0, 0, 60, 34 }, { { 200 }, 6, 12 });
    ASSERT_EQ(single.items.size(), 1u);
    EXPECT_EQ(single.items[0].segment, 0u);

    // The ellipsis is never hovered; labels are, 3 px beyond their ends.
    EXPECT_EQ(segment_at(narrow, { 0, 0, 120, 34 }, narrow.items[0].rect.center()), std::nullopt);
    EXPECT_EQ(segment_at(wide, { 0, 0, 334, 34 }, { 26 + 40 + 2.9, 17 }), 0u);
    EXPECT_EQ(segment_at(wide, { 0, 0, 334, 34 }, { 26 + 40 + 3.1, 17 }), std::nullopt);
    EXPECT_EQ(segment_at(wide, { 0, 0, 334, 34 }, { 30, 34 }), std::nullopt) << "below the bar";
}

class PathBarTest : public testing::Test {
protected:
    test_support::TempDir m_temp;
    std::filesystem::path m_home = m_temp.make_folder("home/user");
    ui::TextRenderer m_renderer;
    PathBar m_bar { {}, m_home };

    void SetUp() override
    {
        m_temp.make_folder("home/user/Documents/Reports");
        m_temp.make_folder("home/user/Music");
        m_temp.write("home/user/notes.txt", "n");
        m_temp.write("home/user/.hidden", "h");
        lay_out({ 0, 0, 600, PathBar::height });
    }

    void lay_out(ui::Rect bounds)
    {
        ui::LayoutContext context { m_renderer, {} };
        m_bar.build_layout(bounds, context);
        m_bar.apply_layout(bounds);
    }

    void key(Key k) { m_bar.handle_event(ui::KeyPressed { k, {}, {}, false }); }
    void type(std::string text) { m_bar.handle_event(ui::KeyPressed { std::nullopt, std::move(text), {}, false }); }
    std::vector<std::string> suggestion_texts() const
    {
        std::vector<std::string> out;
        for (auto const& s : m_bar.field().suggestions())
            out.push_back(s.text);
        return out;
    }
};

TEST_F(PathBarTest, EnterOnTheLastSegmentOpensThePrefilledEditor)
{
    m_bar.set_location(m_home / "Documents");
    lay_out(m_bar.bounds());
    m_bar.set_focus(true);
    EXPECT_EQ(m_bar.focus_index(), 1u) << "focus starts on the current segment";
    key(Key::Left);
    key(Key::Left);
    EXPECT_EQ(m_bar.focus_index(), 0u) << "not below the first";
    key(Key::Enter);
    EXPECT_EQ(m_bar.take_messages(), (std::vector<PathBarMessage> { NavigateToPath { m_home } }));
    key(Key::End);
    key(Key::Right);
    EXPECT_EQ(m_bar.focus_index(), 1u);
    key(Key::Enter);
    ASSERT_TRUE(m_bar.is_editing());
    EXPECT_EQ(m_bar.field().text(), "~/Documents");
    EXPECT_EQ(m_bar.field().input().selected_text(), "~/Documents");
    EXPECT_EQ(m_bar.accessibility().role, ui::AccessRole::TextInput) << "the field's node while editing";

    key(Key::Escape);
    EXPECT_FALSE(m_bar.is_editing());
    EXPECT_TRUE(m_bar.take_messages().empty());
    EXPECT_EQ(m_bar.accessibility().role, ui::AccessRole::Group);

    m_bar.set_location("/etc");
    m_bar.begin_edit();
    EXPECT_EQ(m_bar.field().text(), "/etc") << "outside home the full path";
}

TEST_F(PathBarTest, SubmittedTextIsPassedOnAndClosesTheEdit)
{
    m_bar.set_location(m_home);
    m_bar.begin_edit();
    type("~/Music");
    key(Key::Enter);
    EXPECT_EQ(m_bar.take_messages(), (std::vector<PathBarMessage> { NavigateToText { "~/Music" } }));
    EXPECT_FALSE(m_bar.is_editing());
}

TEST_F(PathBarTest, SuggestionsFollowTheTypedText)
{
    m_bar.set_location(m_home);
    m_bar.begin_edit();
    EXPECT_EQ(m_bar.field().text(), "~");
    EXPECT_EQ(suggestion_texts(), (std::vector<std::string> { "~/Documents/", "~/Music/", "~/notes.txt" }))
        << "the contents of home, folders first, hidden names left out";
    type("/et");
    EXPECT_EQ(suggestion_texts(), (std::vector<std::string> { "/etc/" }));
    m_bar.field().input().set_text("");
    m_bar.handle_event(ui::KeyPressed { Key::End, {}, {}, false });
    EXPECT_EQ(suggestion_texts().size(), 3u) << "an empty field offers the location's contents";
    type("Doc");
    EXPECT_EQ(suggestion_texts(), (std::vector<std::string> { "~/Documents/" })) << "relative to the location";
    EXPECT_EQ(suggest_paths(m_home, "~/.h", m_home).size(), 1u);
    EXPECT_EQ(suggestion_query(m_home, "", m_home), m_home.string() + "/");
    EXPECT_EQ(suggestion_query(m_home, "~", m_home), m_home.string() + "/");
}

TEST_F(PathBarTest, PointerNavigatesOnSegmentsAndEditsElsewhere)
{
    m_bar.set_location(m_home / "Documents" / "Reports");
    lay_out(m_bar.bounds());
    auto const& items = m_bar.breadcrumb_layout().items;
    ASSERT_EQ(items.size(), 3u);
    m_bar.handle_event(ui::PointerMoved { items[1].rect.center(), {} });
    EXPECT_EQ(m_bar.hover_index(), 1u);
    m_bar.handle_event(ui::PointerPressed { items[1].rect.center(), ui::PointerButton::Primary, {}, 1 });
    m_bar.handle_event(ui::PointerPressed { items[2].rect.center(), ui::PointerButton::Primary, {}, 1 });
    EXPECT_EQ(m_bar.take_messages(),
        (std::vector<PathBarMessage> {
            NavigateToPath { m_home / "Documents" }, NavigateToPath { m_home / "Documents" / "Reports" } }));
    m_bar.handle_event(ui::PointerPressed { { 500, 17 }, ui::PointerButton::Primary, {}, 1 });
    EXPECT_TRUE(m_bar.is_editing());

    // An edit in progress is not disturbed by a new location.
    type("/tm");
    m_bar.set_location("/etc");
    EXPECT_TRUE(m_bar.is_editing());
    EXPECT_EQ(m_bar.field().text(), "/tm");
    m_bar.set_focus(false);
    EXPECT_TRUE(m_bar.is_editing()) << "losing focus keeps the edit";
    EXPECT_FALSE(m_bar.field().popup_open());
}

TEST_F(PathBarTest, AccessibilityDescribesEverySegment)
{
    m_bar.set_location(m_home / "Documents");
    m_bar.set_focus(true);
    auto node = m_bar.accessibility();
    EXPECT_EQ(node.label, "Breadcrumbs");
    ASSERT_EQ(node.children.size(), 2u);
    EXPECT_EQ(node.children[0].label, "Home");
    EXPECT_EQ(node.children[0].description, "Open " + m_home.string());
    EXPECT_EQ(node.children[1].description,
        "Current folder, " + (m_home / "Documents").string() + ". Press Enter to edit the path");
    EXPECT_TRUE(node.children[1].focused);
    EXPECT_FALSE(node.children[0].focused);

    EXPECT_TRUE(m_bar.perform_action(node.children[0].id, "activate"));
    EXPECT_EQ(m_bar.take_messages(), (std::vector<PathBarMessage> { NavigateToPath { m_home } }));
    EXPECT_FALSE(m_bar.perform_action(PathBar::segment_node_id(9), "activate"));
    EXPECT_TRUE(m_bar.perform_action(node.children[1].id, "activate"));
    EXPECT_TRUE(m_bar.is_editing()) << "activating the current segment edits, as Enter does";
}

}
