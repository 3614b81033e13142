#include "ui/text_input.h"

#include "ui/desktop.h"
#include "ui/painter.h"
#include "ui/theme.h"
#include "ui/utf8.h"

#include <cmath>
#include <memory>
#include <nlohmann/json.hpp>
#include <utility>

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>
#include <unicode/utext.h>

namespace ui {

namespace {

    enum class BreakKind : std::uint8_t {
        Character,
        Word,
    };

    // Break iterators are costly to create, so each thread keeps one of each.
    icu::BreakIterator* break_iterator(BreakKind kind)
    {
        thread_local std::unique_ptr<icu::BreakIterator> characters;
        thread_local std::unique_ptr<icu::BreakIterator> words;
        auto& slot = kind == BreakKind::Character ? characters : words;
        if (!slot) {
            UErrorCode status = U_ZERO_ERROR;
            slot.reset(kind == BreakKind::Character
                    ? icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status)
                    : icu::BreakIterator::createWordInstance(icu::Locale::getRoot(), status));
            if (U_FAILURE(status))
                slot.reset();
        }
        return slot.get();
    }

    // Calls `visit(boundary, rule_status)` for every boundary of `text` after
    // 0, in order. Offsets are UTF-8 byte offsets (UText native indices).
    template<typename Visit> bool for_each_break(std::string_view text, BreakKind kind, Visit visit)
    {
        auto* iterator = break_iterator(kind);
        if (!iterator)
            return false;
        UErrorCode status = U_ZERO_ERROR;
        UText* utext = utext_openUTF8(nullptr, text.data(), static_cast<std::int64_t>(text.size()), &status);
        if (U_FAILURE(status))
            return false;
        iterator->setText(utext, status);
        if (U_SUCCESS(status)) {
            iterator->first();
            for (auto at = iterator->next(); at != icu::BreakIterator::DONE; at = iterator->next())
                visit(static_cast<std::size_t>(at), iterator->getRuleStatus());
        }
        // The iterator keeps a shallow clone that is replaced at its next use.
        utext_close(utext);
        return U_SUCCESS(status);
    }

    struct WordSpan {
        std::size_t start;
        std::size_t end;
    };

    // The spans of `text` that are words (letters, numbers, ideographs), not
    // spaces or punctuation.
    std::vector<WordSpan> word_spans(std::string_view text)
    {
        std::vector<WordSpan> spans;
        std::size_t previous = 0;
        for_each_break(text, BreakKind::Word, [&](std::size_t at, std::int32_t rule) {
            if (rule >= UBRK_WORD_NONE_LIMIT)
                spans.push_back({ previous, at });
            previous = at;
        });
        return spans;
    }

    std::string replace_invalid_utf8(std::string_view text)
    {
        if (is_valid_utf8(text))
            return std::string(text);
        std::string repaired;
        icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<std::int32_t>(text.size())))
            .toUTF8String(repaired);
        return repaired;
    }

    bool payload_names(std::string const& payload_json, std::string const& id)
    {
        auto parsed = nlohmann::json::parse(payload_json, nullptr, false);
        return parsed.is_string() && parsed.get_ref<std::string const&>() == id;
    }

}

std::vector<std::size_t> grapheme_boundaries(std::string_view text)
{
    std::vector<std::size_t> boundaries { 0 };
    bool ok = for_each_break(text, BreakKind::Character, [&](std::size_t at, std::int32_t) {
        if (at > boundaries.back() && at <= text.size())
            boundaries.push_back(at);
    });
    if (!ok) {
        // Without ICU's rules, at least never split a UTF-8 sequence.
        boundaries.assign({ 0 });
        for (std::size_t at = 1; at <= text.size(); ++at) {
            if (at == text.size() || (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80)
                boundaries.push_back(at);
        }
    }
    if (boundaries.back() != text.size())
        boundaries.push_back(text.size());
    return boundaries;
}

std::string single_line_text(std::string_view text)
{
    std::string repaired = replace_invalid_utf8(text);
    std::string line;
    line.reserve(repaired.size());
    for (std::size_t i = 0; i < repaired.size(); ++i) {
        auto byte = static_cast<unsigned char>(repaired[i]);
        if (byte == '\r' && i + 1 < repaired.size() && repaired[i + 1] == '\n')
            continue;
        if (byte == '\n' || byte == '\r' || byte == '\t')
            line += ' ';
        else if (byte >= 0x20 && byte != 0x7F)
            line += repaired[i];
    }
    return line;
}

TextInput::TextInput(std::string id, std::string placeholder)
    : m_id(std::move(id))
    , m_placeholder(std::move(placeholder))
{
}

void TextInput::set_placeholder(std::string placeholder)
{
    m_placeholder = std::move(placeholder);
    set_needs_redraw();
}

void TextInput::set_accessible_label(std::string label) { m_accessible_label = std::move(label); }

void TextInput::text_changed()
{
    m_boundaries = grapheme_boundaries(m_text);
    ++m_revision;
    set_needs_redraw();
}

void TextInput::set_text(std::string_view text)
{
    m_text = single_line_text(text);
    m_preedit.clear();
    text_changed();
    m_selection = { m_text.size(), m_text.size() };
}

void TextInput::insert_text(std::string_view text)
{
    auto clean = single_line_text(text);
    m_preedit.clear();
    replace_range(m_selection.start(), m_selection.end(), clean);
}

void TextInput::replace_range(std::size_t start, std::size_t end, std::string_view replacement)
{
    m_text.replace(start, end - start, replacement);
    text_changed();
    // The inserted text may join with its neighbours into one grapheme (a
    // combining mark typed after a letter); the caret goes after the join.
    auto caret = start + replacement.size();
    auto snapped = snap_to_boundary(caret);
    if (snapped < caret)
        snapped = next_boundary(snapped);
    m_selection = { snapped, snapped };
}

void TextInput::select_all()
{
    m_selection = { 0, m_text.size() };
    set_needs_redraw();
}

void TextInput::set_caret(std::size_t offset, CaretMove move)
{
    auto snapped = snap_to_boundary(std::min(offset, m_text.size()));
    m_selection.caret = snapped;
    if (move == CaretMove::Collapse)
        m_selection.anchor = snapped;
    set_needs_redraw();
}

std::string TextInput::selected_text() const
{
    return m_text.substr(m_selection.start(), m_selection.end() - m_selection.start());
}

void TextInput::begin_editing()
{
    set_focus(true);
    clear_transient_state();
    select_all();
}

void TextInput::clear_transient_state()
{
    m_dragging = false;
    if (!m_preedit.empty()) {
        m_preedit.clear();
        set_needs_redraw();
    }
}

std::vector<TextInputMessage> TextInput::take_messages() { return std::exchange(m_messages, {}); }

std::size_t TextInput::snap_to_boundary(std::size_t offset) const
{
    auto it = std::upper_bound(m_boundaries.begin(), m_boundaries.end(), offset);
    return *(it - 1);
}

std::size_t TextInput::previous_boundary(std::size_t offset) const
{
    auto it = std::lower_bound(m_boundaries.begin(), m_boundaries.end(), offset);
    return it == m_boundaries.begin() ? 0 : *(it - 1);
}

std::size_t TextInput::next_boundary(std::size_t offset) const
{
    auto it = std::upper_bound(m_boundaries.begin(), m_boundaries.end(), offset);
    return it == m_boundaries.end() ? m_text.size() : *it;
}

std::size_t TextInput::word_start_before(std::size_t offset) const
{
    std::size_t found = 0;
    for (auto const& span : word_spans(m_text)) {
        if (span.start >= offset)
            break;
        found = span.start;
    }
    return snap_to_boundary(found);
}

std::size_t TextInput::word_end_after(std::size_t offset) const
{
    for (auto const& span : word_spans(m_text)) {
        if (span.end > offset)
            return snap_to_boundary(span.end);
    }
    return m_text.size();
}

void TextInput::move_caret(int direction, Unit unit, CaretMove move)
{
    // Without Shift an arrow first collapses a selection to its near edge.
    if (move == CaretMove::Collapse && !m_selection.empty() && unit == Unit::Character) {
        set_caret(direction < 0 ? m_selection.start() : m_selection.end());
        return;
    }
    auto from = m_selection.caret;
    std::size_t to = 0;
    if (unit == Unit::Word)
        to = direction < 0 ? word_start_before(from) : word_end_after(from);
    else
        to = direction < 0 ? previous_boundary(from) : next_boundary(from);
    set_caret(to, move);
}

void TextInput::delete_backward(Unit unit)
{
    if (!m_selection.empty()) {
        replace_range(m_selection.start(), m_selection.end(), {});
        return;
    }
    auto end = m_selection.caret;
    auto start = unit == Unit::Word ? word_start_before(end) : previous_boundary(end);
    if (start < end)
        replace_range(start, end, {});
}

void TextInput::delete_forward(Unit unit)
{
    if (!m_selection.empty()) {
        replace_range(m_selection.start(), m_selection.end(), {});
        return;
    }
    auto start = m_selection.caret;
    auto end = unit == Unit::Word ? word_end_after(start) : next_boundary(start);
    if (end > start)
        replace_range(start, end, {});
}

void TextInput::copy_selection()
{
    if (!m_selection.empty())
        desktop().copy_text(selected_text());
}

void TextInput::paste()
{
    if (auto text = desktop().paste_text())
        insert_text(*text);
}

void TextInput::select_word_at(std::size_t offset)
{
    for (auto const& span : word_spans(m_text)) {
        if (offset >= span.start && offset < span.end) {
            m_selection = { snap_to_boundary(span.start), snap_to_boundary(span.end) };
            set_needs_redraw();
            return;
        }
    }
    set_caret(offset);
}

void TextInput::set_preedit(std::string preedit)
{
    preedit = single_line_text(preedit);
    // Composition replaces the selection, as typing would.
    if (!preedit.empty() && m_preedit.empty() && !m_selection.empty())
        replace_range(m_selection.start(), m_selection.end(), {});
    m_preedit = std::move(preedit);
    set_needs_redraw();
}

EventResult TextInput::handle_event(Event const& event)
{
    if (auto const* key = std::get_if<KeyPressed>(&event))
        return handle_key(*key);
    if (auto const* press = std::get_if<PointerPressed>(&event))
        return handle_press(*press);
    if (auto const* moved = std::get_if<PointerMoved>(&event)) {
        if (!m_dragging)
            return EventResult::Ignored;
        set_caret(offset_at(moved->position.x), CaretMove::Extend);
        return EventResult::Handled;
    }
    if (std::holds_alternative<PointerReleased>(event) && m_dragging) {
        m_dragging = false;
        return EventResult::Handled;
    }
    return EventResult::Ignored;
}

EventResult TextInput::handle_press(PointerPressed const& press)
{
    if (press.button != PointerButton::Primary || !m_bounds.contains(press.position))
        return EventResult::Ignored;
    if (!has_focus())
        set_focus(true);
    m_preedit.clear();
    auto offset = offset_at(press.position.x);
    if (press.click_count >= 3) {
        select_all();
    } else if (press.click_count == 2) {
        select_word_at(offset);
    } else {
        set_caret(offset, press.modifiers.shift ? CaretMove::Extend : CaretMove::Collapse);
        m_dragging = true;
    }
    return EventResult::Handled;
}

EventResult TextInput::handle_key(KeyPressed const& key)
{
    if (!has_focus())
        return EventResult::Ignored;
    if (key.composing) {
        set_preedit(key.text);
        return EventResult::Handled;
    }
    if (key.key)
        return handle_named_key(key);
    if (key.modifiers.primary())
        return handle_shortcut(key);
    if (key.text.empty())
        return EventResult::Ignored;
    insert_text(key.text);
    return EventResult::Handled;
}

EventResult TextInput::handle_named_key(KeyPressed const& key)
{
    auto const& mods = key.modifiers;
    auto move = mods.shift ? CaretMove::Extend : CaretMove::Collapse;
    auto unit = mods.primary() ? Unit::Word : Unit::Character;
    switch (*key.key) {
    case Key::Left:
    case Key::Right:
        move_caret(key.is(Key::Left) ? -1 : 1, unit, move);
        return EventResult::Handled;
    case Key::Home:
        set_caret(0, move);
        return EventResult::Handled;
    case Key::End:
        set_caret(m_text.size(), move);
        return EventResult::Handled;
    case Key::Backspace:
        delete_backward(unit);
        return EventResult::Handled;
    case Key::Delete:
        if (mods.shift) {
            copy_selection();
            delete_forward(Unit::Character);
        } else {
            delete_forward(unit);
        }
        return EventResult::Handled;
    case Key::Insert:
        if (mods.shift)
            paste();
        else if (mods.primary())
            copy_selection();
        return EventResult::Handled;
    case Key::Space:
        if (mods.primary())
            return EventResult::Ignored;
        insert_text(" ");
        return EventResult::Handled;
    case Key::Enter:
        m_messages.push_back(TextSubmitted { m_text });
        return EventResult::Handled;
    case Key::Escape:
        m_messages.push_back(TextCancelled {});
        return EventResult::Handled;
    case Key::Tab:
    case Key::Up:
    case Key::Down:
    case Key::PageUp:
    case Key::PageDown:
    case Key::Menu:
    case Key::F1:
    case Key::F2:
    case Key::F3:
    case Key::F4:
    case Key::F5:
    case Key::F6:
    case Key::F7:
    case Key::F8:
    case Key::F9:
    case Key::F10:
    case Key::F11:
    case Key::F12:
        return EventResult::Ignored;
    }
    return EventResult::Ignored;
}

EventResult TextInput::handle_shortcut(KeyPressed const& key)
{
    if (key.text.size() != 1 || key.modifiers.alt)
        return EventResult::Ignored;
    switch (key.text[0]) {
    case 'a':
    case 'A':
        select_all();
        return EventResult::Handled;
    case 'c':
    case 'C':
        copy_selection();
        return EventResult::Handled;
    case 'x':
    case 'X':
        if (!m_selection.empty()) {
            copy_selection();
            replace_range(m_selection.start(), m_selection.end(), {});
        }
        return EventResult::Handled;
    case 'v':
    case 'V':
        paste();
        return EventResult::Handled;
    default:
        return EventResult::Ignored;
    }
}

AccessNode TextInput::accessibility() const
{
    AccessNode node(m_id, AccessRole::TextInput, m_accessible_label.empty() ? m_placeholder : m_accessible_label);
    node.value = m_text;
    node.description = m_placeholder;
    node.bounds = m_bounds;
    node.focusable = true;
    node.focused = has_focus();
    node.control_id = m_id;
    node.actions = { "activate" };
    return node;
}

bool TextInput::perform_action(std::string const& node_id, std::string const& action)
{
    if (node_id != m_id || action != "activate")
        return false;
    begin_editing();
    return true;
}

std::vector<Resource> TextInput::resources() const
{
    return { control_resource(m_id, m_accessible_label.empty() ? m_placeholder : m_accessible_label) };
}

InvokeResult TextInput::invoke(ActionInvocation const& invocation)
{
    if (invocation.action_id != control_invoke_action || !payload_names(invocation.payload_json, m_id))
        return InvokeResult::not_handled();
    begin_editing();
    return InvokeResult::handled();
}

void TextInput::set_focus(bool focused)
{
    if (focused == has_focus())
        return;
    Widget::set_focus(focused);
    if (!focused)
        clear_transient_state();
    set_needs_redraw();
}

}
