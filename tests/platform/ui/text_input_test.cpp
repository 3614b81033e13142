#include "ui/desktop.h"
#include "ui/text_input.h"
#include "ui/text_renderer.h"

#include <algorithm>
#include <variant>
#include <vector>

#include <gtest/gtest.h>

using ui::Key;
using ui::KeyPressed;
using ui::Modifiers;
using ui::TextInput;

namespace {

// One keyboard step: a named key or typed text, with modifiers.
struct Step {
    std::optional<Key> key;
    std::string text;
    Modifiers modifiers {};
};

Step type(std::string text) { return { std::nullopt, std::move(text), {} }; }
Step press(Key key, Modifiers modifiers = {}) { return { key, {}, modifiers }; }
Step shortcut(char letter, Modifiers modifiers = { .control = true })
{
    return { std::nullopt, std::string(1, letter), modifiers };
}

Modifiers const shift { .shift = true };
Modifiers const control { .control = true };
Modifiers const control_shift { .shift = true, .control = true };

// Precomposed ñ (2 bytes), e + combining acute (3 bytes), a family emoji joined
// by zero-width joiners (18 bytes) and a flag of two regional indicators.
std::string const n_tilde = "\xC3\xB1";
std::string const e_acute = "e\xCC\x81";
std::string const family = "\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x91\xA7";
std::string const flag = "\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA";

struct EditCase {
    char const* name;
    std::string initial;
    std::vector<Step> steps;
    std::string text;
    std::size_t anchor;
    std::size_t caret;
};

class TextInputTest : public testing::Test {
protected:
    ui::TextRenderer m_renderer;
    TextInput m_input { "test.input", "Type here" };

    void SetUp() override
    {
        ui::install_desktop(nullptr);
        lay_out(ui::Rect::from_xywh(10, 10, 240, TextInput::base_height));
        m_input.set_focus(true);
    }

    void lay_out(ui::Rect bounds)
    {
        ui::LayoutContext context { m_renderer, {} };
        m_input.build_layout(bounds, context);
        m_input.apply_layout(bounds);
    }

    ui::EventResult send(Step const& step)
    {
        auto result = m_input.handle_event(KeyPressed { step.key, step.text, step.modifiers, false });
        lay_out(m_input.bounds()); // as the next frame would
        return result;
    }

    void compose(std::string preedit)
    {
        m_input.handle_event(KeyPressed { std::nullopt, std::move(preedit), {}, true });
    }

    void expect_on_boundaries()
    {
        auto boundaries = ui::grapheme_boundaries(m_input.text());
        auto on = [&](std::size_t at) { return std::ranges::find(boundaries, at) != boundaries.end(); };
        EXPECT_TRUE(on(m_input.selection().caret)) << "caret inside a character at " << m_input.selection().caret;
        EXPECT_TRUE(on(m_input.selection().anchor)) << "anchor inside a character at " << m_input.selection().anchor;
    }
};

TEST_F(TextInputTest, KeySequencesEditOnCharacterBoundaries)
{
    EditCase const cases[] = {
        { "typing appends", "", { type("ab"), type("c") }, "abc", 3, 3 },
        { "left steps over a two-byte character", "a" + n_tilde + "b", { press(Key::Left), press(Key::Left) },
            "a" + n_tilde + "b", 1, 1 },
        { "left steps over a combining sequence", e_acute + "x", { press(Key::Left), press(Key::Left) }, e_acute + "x",
            0, 0 },
        { "right steps over a combining sequence", e_acute + "x", { press(Key::Home), press(Key::Right) },
            e_acute + "x", 3, 3 },
        { "backspace removes a whole combining sequence", "a" + e_acute, { press(Key::Backspace) }, "a", 1, 1 },
        { "backspace removes a joined emoji at once", "a" + family, { press(Key::Backspace) }, "a", 1, 1 },
        { "delete removes a flag at once", flag + "z", { press(Key::Home), press(Key::Delete) }, "z", 0, 0 },
        { "a combining mark typed joins the letter before it", "", { type("e"), type("\xCC\x81"), press(Key::Left) },
            e_acute, 0, 0 },
        { "a letter typed before a combining mark takes the caret past the mark", "\xCC\x81",
            { press(Key::Home), type("e") }, e_acute, 3, 3 },
        { "shift+left extends over characters", "h" + n_tilde + "llo",
            { press(Key::Left, shift), press(Key::Left, shift) }, "h" + n_tilde + "llo", 6, 4 },
        { "typing replaces the selection", "hello", { press(Key::Left, shift), press(Key::Left, shift), type("p!") },
            "help!", 5, 5 },
        { "left collapses a selection to its start", "hello", { press(Key::Home, shift), press(Key::Left) }, "hello", 0,
            0 },
        { "right collapses a selection to its end", "hello",
            { press(Key::Home), press(Key::End, shift), press(Key::Right) }, "hello", 5, 5 },
        { "primary+left goes to the previous word start", "one two  three",
            { press(Key::Left, control), press(Key::Left, control) }, "one two  three", 4, 4 },
        { "primary+right goes to the next word end", "one two", { press(Key::Home), press(Key::Right, control) },
            "one two", 3, 3 },
        { "primary+shift+left selects a word", "path/to/file", { press(Key::Left, control_shift) }, "path/to/file", 12,
            8 },
        { "primary+backspace removes the last word", "path/to/file", { press(Key::Backspace, control) }, "path/to/", 8,
            8 },
        { "primary+delete removes the next word", "alpha beta", { press(Key::Home), press(Key::Delete, control) },
            " beta", 0, 0 },
        { "home then shift+end selects the line", "abc", { press(Key::Home), press(Key::End, shift) }, "abc", 0, 3 },
        { "select all then type replaces everything", "old text", { shortcut('a'), type("new") }, "new", 3, 3 },
        { "backspace at the start changes nothing", "ab", { press(Key::Home), press(Key::Backspace) }, "ab", 0, 0 },
        { "delete at the end changes nothing", "ab", { press(Key::Delete) }, "ab", 2, 2 },
        { "words of accented letters are whole words", "caf" + e_acute + " cr" + e_acute + "me",
            { press(Key::Left, control) }, "caf" + e_acute + " cr" + e_acute + "me", 7, 7 },
        { "invalid bytes typed become a replacement character", "", { type("a\xFF") }, "a\xEF\xBF\xBD", 4, 4 },
        { "a typed line break becomes a space", "", { type("a\nb") }, "a b", 3, 3 },
        { "space as a named key types a space", "a", { press(Key::Space) }, "a ", 2, 2 },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        m_input.set_text(c.initial);
        for (auto const& step : c.steps) {
            send(step);
            expect_on_boundaries();
        }
        EXPECT_EQ(m_input.text(), c.text);
        EXPECT_EQ(m_input.selection(), (ui::TextSelection { c.anchor, c.caret }));
    }
}

TEST_F(TextInputTest, SetCaretSnapsIntoNoCharacter)
{
    m_input.set_text("a" + family + e_acute);
    for (std::size_t offset = 0; offset <= m_input.text().size() + 2; ++offset) {
        m_input.set_caret(offset, ui::CaretMove::Extend);
        expect_on_boundaries();
    }
    EXPECT_EQ(m_input.caret(), m_input.text().size());
    EXPECT_EQ(ui::grapheme_boundaries("a" + family + e_acute), (std::vector<std::size_t> { 0, 1, 19, 22 }));
}

TEST_F(TextInputTest, InputMethodPreeditIsShownUntilCommitted)
{
    m_input.set_text("hi ");
    compose("n");
    compose("ni");
    EXPECT_EQ(m_input.text(), "hi ") << "the preedit is not part of the text";
    EXPECT_EQ(m_input.preedit(), "ni");
    auto revision = m_input.revision();
    // Named keys while composing belong to the input method.
    m_input.handle_event(KeyPressed { Key::Enter, "ni", {}, true });
    EXPECT_TRUE(m_input.take_messages().empty());

    send(type("\xE4\xBD\xA0")); // the commit: 你
    EXPECT_EQ(m_input.text(), "hi \xE4\xBD\xA0");
    EXPECT_EQ(m_input.preedit(), "");
    EXPECT_EQ(m_input.caret(), m_input.text().size());
    EXPECT_NE(m_input.revision(), revision);
}

TEST_F(TextInputTest, CompositionReplacesTheSelectionAndCanBeAbandoned)
{
    m_input.set_text("replace me");
    m_input.select_all();
    compose("k");
    EXPECT_EQ(m_input.text(), "");
    compose("");
    EXPECT_EQ(m_input.preedit(), "");
    compose("ka");
    m_input.set_focus(false);
    EXPECT_EQ(m_input.preedit(), "") << "losing focus drops the preedit";
    EXPECT_EQ(m_input.text(), "");
}

TEST_F(TextInputTest, CutCopyAndPasteGoThroughTheDesktopClipboard)
{
    m_input.set_text("alpha beta");
    send(press(Key::Left, control_shift)); // "beta"
    send(shortcut('c'));
    EXPECT_EQ(ui::desktop().paste_text(), "beta");
    send(shortcut('x'));
    EXPECT_EQ(m_input.text(), "alpha ");
    send(press(Key::Home));
    send(shortcut('v'));
    EXPECT_EQ(m_input.text(), "betaalpha ");
    EXPECT_EQ(m_input.caret(), 4u);

    ui::desktop().copy_text("line one\nline two");
    send(press(Key::End));
    send(press(Key::Insert, shift));
    EXPECT_EQ(m_input.text(), "betaalpha line one line two") << "pasted text stays on one line";

    send(shortcut('x', {})); // no modifier: an ordinary letter
    EXPECT_EQ(m_input.text(), "betaalpha line one line twox");
}

TEST_F(TextInputTest, EnterSubmitsEscapeCancelsAndUnfocusedFieldIgnoresKeys)
{
    m_input.set_text("~/Music");
    send(press(Key::Enter));
    send(press(Key::Escape));
    auto messages = m_input.take_messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], ui::TextInputMessage(ui::TextSubmitted { "~/Music" }));
    EXPECT_EQ(messages[1], ui::TextInputMessage(ui::TextCancelled {}));
    EXPECT_TRUE(m_input.take_messages().empty());

    m_input.set_focus(false);
    EXPECT_EQ(send(type("x")), ui::EventResult::Ignored);
    EXPECT_EQ(m_input.text(), "~/Music");
}

TEST_F(TextInputTest, LongTextScrollsToKeepTheCaretVisible)
{
    lay_out(ui::Rect::from_xywh(0, 0, 120, TextInput::base_height));
    send(type("/a/rather/long/path/that/does/not/fit/in/the/field"));
    EXPECT_GT(m_input.scroll_offset(), 0);
    EXPECT_LE(m_input.caret_x(), 120 - TextInput::text_inset + 0.5);
    EXPECT_GE(m_input.caret_x(), TextInput::text_inset);
    send(press(Key::Home));
    EXPECT_EQ(m_input.scroll_offset(), 0);
    send(shortcut('a'));
    send(press(Key::Backspace));
    EXPECT_EQ(m_input.scroll_offset(), 0) << "no scroll left over once the text is gone";
}

TEST_F(TextInputTest, PointerPlacesTheCaretAndSelectsWords)
{
    m_input.set_text("alpha beta");
    lay_out(m_input.bounds());
    double left = m_input.bounds().left + TextInput::text_inset;
    m_input.handle_event(ui::PointerPressed { { left + 1, 20 }, ui::PointerButton::Primary, {}, 1 });
    m_input.handle_event(ui::PointerReleased { { left + 1, 20 }, ui::PointerButton::Primary, {} });
    EXPECT_EQ(m_input.caret(), 0u);
    m_input.handle_event(
        ui::PointerPressed { { m_input.bounds().right - 5, 20 }, ui::PointerButton::Primary, shift, 1 });
    EXPECT_EQ(m_input.selection(), (ui::TextSelection { 0, 10 })) << "shift-click extends to the end";
    m_input.handle_event(ui::PointerReleased { { m_input.bounds().right - 5, 20 }, ui::PointerButton::Primary, {} });
    m_input.handle_event(ui::PointerPressed { { left + 2, 20 }, ui::PointerButton::Primary, {}, 2 });
    EXPECT_EQ(m_input.selected_text(), "alpha");
}

TEST_F(TextInputTest, SingleLineTextRepairsInput)
{
    EXPECT_EQ(ui::single_line_text("a\r\nb\tc\x01"), "a b c");
    EXPECT_EQ(ui::single_line_text("\xC3"), "\xEF\xBF\xBD");
}

}
