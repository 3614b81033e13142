#include "ui/autocomplete.h"
#include "ui/offscreen_renderer.h"
#include "ui/text_renderer.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

using ui::Autocomplete;
using ui::Key;
using ui::KeyPressed;
using ui::Rect;

namespace {

TEST(PlacePopup, StaysInsideTheWindow)
{
    struct Case {
        char const* name;
        Rect field;
        double width;
        double height;
        Rect window;
        Rect expected;
    };
    Rect const window { 0, 0, 800, 600 };
    Case const cases[] = {
        { "below when it fits", { 100, 10, 400, 42 }, 300, 200, window, { 100, 46, 400, 246 } },
        { "above when only the space above fits", { 100, 500, 400, 532 }, 300, 200, window, { 100, 296, 400, 496 } },
        { "shrunk below when below is the larger side", { 100, 200, 400, 232 }, 300, 500, window,
            { 100, 236, 400, 600 } },
        { "shrunk above when above is the larger side", { 100, 400, 400, 432 }, 300, 500, window,
            { 100, 0, 400, 396 } },
        { "shifted left at the right edge", { 700, 10, 790, 42 }, 300, 100, window, { 500, 46, 800, 146 } },
        { "clamped to a window narrower than the popup", { 0, 10, 90, 42 }, 300, 100, { 0, 0, 200, 600 },
            { 0, 46, 200, 146 } },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ui::place_popup(c.field, c.width, c.height, c.window), c.expected);
    }
}

class AutocompleteTest : public testing::Test {
protected:
    ui::TextRenderer m_renderer;
    Autocomplete m_field { "test.path", "Type a path" };
    std::vector<std::string> m_asked;

    void SetUp() override
    {
        m_field.set_source([this](std::string_view text) {
            m_asked.emplace_back(text);
            std::vector<ui::Suggestion> out;
            for (auto const* name : { "/etc/", "/home/", "/usr/", "/var/" }) {
                if (std::string_view(name).starts_with(text))
                    out.push_back({ name, ui::Icon::Folder });
            }
            return out;
        });
        ui::LayoutContext context { m_renderer, {} };
        Rect bounds = Rect::from_xywh(20, 10, 300, 32);
        m_field.build_layout(bounds, context);
        m_field.apply_layout(bounds);
        m_field.set_window_bounds({ 0, 0, 400, 300 });
    }

    void key(Key k) { m_field.handle_event(KeyPressed { k, {}, {}, false }); }
    void type(std::string text) { m_field.handle_event(KeyPressed { std::nullopt, std::move(text), {}, false }); }
};

TEST_F(AutocompleteTest, AsksTheSourceOnceForEachText)
{
    m_field.begin_editing("/");
    EXPECT_EQ(m_asked, (std::vector<std::string> { "/" }));
    EXPECT_EQ(m_field.input().selection(), (ui::TextSelection { 0, 1 })) << "the text is selected for replacement";
    key(Key::End);
    type("e");
    key(Key::Down);
    key(Key::Up);
    key(Key::Left);
    ui::RenderOptions options;
    options.size = { 400, 300 };
    ASSERT_TRUE(ui::OffscreenRenderer::render(m_field, options).has_value());
    ASSERT_TRUE(ui::OffscreenRenderer::render(m_field, options).has_value());
    EXPECT_EQ(m_asked, (std::vector<std::string> { "/", "/e" })) << "caret moves and drawing ask nothing";
    EXPECT_EQ(m_field.suggestions(), (std::vector<ui::Suggestion> { { "/etc/", ui::Icon::Folder } }));
}

TEST_F(AutocompleteTest, ArrowsMoveAndEnterAcceptsWithoutSubmitting)
{
    m_field.begin_editing("/");
    ASSERT_TRUE(m_field.popup_open());
    EXPECT_EQ(m_field.highlighted(), std::nullopt);
    key(Key::Down);
    key(Key::Down);
    EXPECT_EQ(m_field.highlighted(), 1u);
    key(Key::Up);
    key(Key::Up);
    EXPECT_EQ(m_field.highlighted(), std::nullopt) << "up from the first row goes back to the typed text";
    for (int i = 0; i < 9; ++i)
        key(Key::Down);
    EXPECT_EQ(m_field.highlighted(), 3u) << "down stops at the last row";
    key(Key::Enter);
    EXPECT_EQ(m_field.text(), "/var/");
    EXPECT_TRUE(m_field.take_messages().empty());
    EXPECT_EQ(m_asked.back(), "/var/") << "an accepted folder is listed in turn";
    key(Key::Enter);
    EXPECT_EQ(m_field.take_messages(), (std::vector<ui::TextInputMessage> { ui::TextSubmitted { "/var/" } }));
}

TEST_F(AutocompleteTest, TabCompletesTheFirstAndEscapeCancels)
{
    m_field.begin_editing("/h");
    key(Key::End);
    key(Key::Tab);
    EXPECT_EQ(m_field.text(), "/home/");
    type("x");
    EXPECT_FALSE(m_field.popup_open()) << "nothing begins with /home/x";
    EXPECT_EQ(m_field.handle_event(KeyPressed { Key::Tab, {}, {}, false }), ui::EventResult::Ignored)
        << "Tab without suggestions is left to the owner";
    EXPECT_EQ(m_field.text(), "/home/x");
    key(Key::Escape);
    EXPECT_EQ(m_field.take_messages(), (std::vector<ui::TextInputMessage> { ui::TextCancelled {} }));
}

TEST_F(AutocompleteTest, PopupRowsAnswerThePointerAndStayInTheWindow)
{
    m_field.set_window_bounds({ 0, 0, 330, 120 });
    m_field.begin_editing("/");
    Rect popup = m_field.popup_rect();
    EXPECT_GE(popup.left, 0);
    EXPECT_LE(popup.right, 330);
    EXPECT_LE(popup.bottom, 120) << "shrunk to the window";
    auto row_centre = [&](int row) {
        return ui::Point { popup.center().x,
            popup.top + Autocomplete::popup_padding + (row + 0.5) * Autocomplete::row_height };
    };
    m_field.handle_event(ui::PointerMoved { row_centre(1), {} });
    EXPECT_EQ(m_field.highlighted(), 1u);
    m_field.handle_event(ui::PointerPressed { row_centre(0), ui::PointerButton::Primary, {}, 1 });
    EXPECT_EQ(m_field.text(), "/etc/");
}

TEST_F(AutocompleteTest, SuggestionsArePublishedAndLosingFocusClosesThePopup)
{
    m_field.begin_editing("/");
    auto node = m_field.accessibility();
    EXPECT_EQ(node.role, ui::AccessRole::TextInput);
    EXPECT_EQ(node.value, "/");
    ASSERT_EQ(node.children.size(), 1u);
    ASSERT_EQ(node.children[0].children.size(), 4u);
    EXPECT_EQ(node.children[0].children[2].label, "/usr/");
    EXPECT_TRUE(m_field.perform_action(node.children[0].children[2].id, "activate"));
    EXPECT_EQ(m_field.text(), "/usr/");
    EXPECT_FALSE(m_field.perform_action("test.path:suggestion:99", "activate"));

    // Each shown row is published where it is drawn, so a client can click it.
    m_field.begin_editing("/");
    node = m_field.accessibility();
    ASSERT_EQ(node.children[0].children.size(), 4u);
    auto const& home = node.children[0].children[1];
    EXPECT_TRUE(m_field.popup_rect().contains(home.bounds.center()));
    m_field.handle_event(ui::PointerPressed { home.bounds.center(), ui::PointerButton::Primary, {}, 1 });
    EXPECT_EQ(m_field.text(), "/home/");

    m_field.begin_editing("/");
    m_field.set_focus(false);
    EXPECT_FALSE(m_field.popup_open());
    EXPECT_TRUE(m_field.accessibility().children.empty());
}

}
