#pragma once

// A single-line text field. The text is UTF-8 and every caret and selection
// offset is a byte offset on a grapheme boundary, so a combining sequence or
// a multi-byte character is never split by moving, selecting or deleting.
//
// Keys (while focused): Left/Right move by a character, with the primary
// modifier by a word; Home/End go to the ends; Shift extends the selection;
// Backspace/Delete remove a character (a word with the primary modifier) or
// the selection; primary+A selects all; primary+C/X/V copy, cut and paste
// through the desktop clipboard; Enter submits and Escape cancels. While an
// input method composes, its preedit is shown at the caret and replaced by
// the committed text. Long text scrolls horizontally to keep the caret in view.

#include "ui/text_renderer.h"
#include "ui/widget.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace ui {

struct TextSubmitted {
    std::string text;
    bool operator==(TextSubmitted const&) const = default;
};

struct TextCancelled {
    bool operator==(TextCancelled const&) const = default;
};

using TextInputMessage = std::variant<TextSubmitted, TextCancelled>;

// The selected range as the anchor (where it started) and the caret (where it
// ends); both byte offsets. Empty when they are equal.
struct TextSelection {
    std::size_t anchor { 0 };
    std::size_t caret { 0 };

    std::size_t start() const { return std::min(anchor, caret); }
    std::size_t end() const { return std::max(anchor, caret); }
    bool empty() const { return anchor == caret; }
    bool operator==(TextSelection const&) const = default;
};

enum class CaretMove : std::uint8_t {
    Collapse, // the selection becomes empty at the new caret
    Extend, // the anchor stays where it is
};

// Offsets where a caret may stand in `text`: every grapheme boundary, from 0
// to text.size() inclusive.
std::vector<std::size_t> grapheme_boundaries(std::string_view text);

// `text` made fit for one line: invalid UTF-8 replaced by U+FFFD, line breaks
// and tabs turned into spaces, other control characters dropped.
std::string single_line_text(std::string_view text);

class TextInput : public Widget {
public:
    explicit TextInput(std::string id, std::string placeholder = {});

    static constexpr double base_height = 32;
    // Space between the field's edge and its text.
    static constexpr double text_inset = 10;

    std::string const& id() const { return m_id; }
    std::string const& text() const { return m_text; }
    std::string const& placeholder() const { return m_placeholder; }
    void set_placeholder(std::string placeholder);
    // The accessible name; the placeholder names the field when this is empty.
    void set_accessible_label(std::string label);

    // Replaces the text (made single-line) and puts the caret at its end.
    void set_text(std::string_view text);
    // Replaces the selection (or inserts at the caret) with `text`.
    void insert_text(std::string_view text);
    void select_all();
    // Moves the caret to the grapheme boundary nearest `offset` (not after it).
    void set_caret(std::size_t offset, CaretMove move = CaretMove::Collapse);

    std::size_t caret() const { return m_selection.caret; }
    TextSelection const& selection() const { return m_selection; }
    std::string selected_text() const;
    std::string const& preedit() const { return m_preedit; }

    // Focuses the field and selects all of its text, so typing replaces it.
    void begin_editing();
    // Forgets the input method's preedit and any selection drag under way.
    void clear_transient_state();

    // Changes whenever the text changes (not when only the caret moves).
    std::uint64_t revision() const { return m_revision; }
    // How far the text is scrolled to the left, in logical pixels.
    double scroll_offset() const { return m_scroll; }
    // The caret's x in window coordinates as of the last layout or draw.
    double caret_x() const;

    // Submissions and cancellations since the last call, oldest first.
    std::vector<TextInputMessage> take_messages();

    Size measure(Size available, LayoutContext& context) override;
    void build_layout(Rect bounds, LayoutContext& context) override;
    void apply_layout(Rect bounds) override;
    void draw(Painter& painter) override;
    EventResult handle_event(Event const& event) override;
    AccessNode accessibility() const override;
    bool perform_action(std::string const& node_id, std::string const& action) override;
    std::vector<Resource> resources() const override;
    InvokeResult invoke(ActionInvocation const& invocation) override;
    void set_focus(bool focused) override;

private:
    enum class Unit : std::uint8_t {
        Character,
        Word,
    };

    EventResult handle_key(KeyPressed const& key);
    EventResult handle_named_key(KeyPressed const& key);
    EventResult handle_shortcut(KeyPressed const& key);
    EventResult handle_press(PointerPressed const& press);
    void set_preedit(std::string preedit);

    void move_caret(int direction, Unit unit, CaretMove move);
    void delete_backward(Unit unit);
    void delete_forward(Unit unit);
    void replace_range(std::size_t start, std::size_t end, std::string_view replacement);
    void copy_selection();
    void paste();
    void select_word_at(std::size_t offset);

    std::size_t previous_boundary(std::size_t offset) const;
    std::size_t next_boundary(std::size_t offset) const;
    std::size_t snap_to_boundary(std::size_t offset) const;
    std::size_t word_start_before(std::size_t offset) const;
    std::size_t word_end_after(std::size_t offset) const;

    Font font() const;
    Rect text_area() const;
    // Measures every caret position of the current text and keeps the caret
    // in view; cheap when nothing changed since the last call.
    void update_metrics(TextRenderer& text);
    void keep_caret_visible();
    double offset_x(std::size_t offset) const;
    std::size_t offset_at(double x) const;
    void text_changed();

    std::string m_id;
    std::string m_placeholder;
    std::string m_accessible_label;
    std::string m_text;
    std::string m_preedit;
    TextSelection m_selection;
    std::vector<std::size_t> m_boundaries { 0 };
    std::uint64_t m_revision { 0 };

    // Caret positions measured for m_measured_revision, and the preedit's
    // width; stale until the next layout or draw after an edit.
    std::vector<double> m_boundary_x { 0 };
    std::uint64_t m_measured_revision { ~std::uint64_t { 0 } };
    double m_measured_size { 0 };
    double m_preedit_width { 0 };
    std::string m_measured_preedit;
    double m_scroll { 0 };
    double m_text_scale { 1.0 };

    bool m_dragging { false };
    std::vector<TextInputMessage> m_messages;
};

}
