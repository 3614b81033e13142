#include "ui/autocomplete.h"

#include "ui/painter.h"
#include "ui/theme.h"

#include <charconv>
#include <utility>

#include <cairo.h>

namespace ui {

namespace {

    constexpr double icon_size = 16;
    constexpr char const* suggestion_marker = ":suggestion:";

}

Rect place_popup(Rect field, double width, double wanted_height, Rect window)
{
    double below = window.bottom - (field.bottom + Autocomplete::popup_gap);
    double above = (field.top - Autocomplete::popup_gap) - window.top;
    double left = std::clamp(field.left, window.left, std::max(window.left, window.right - width));
    double right = std::min(left + width, window.right);
    if (wanted_height <= below || below >= above) {
        double top = field.bottom + Autocomplete::popup_gap;
        return { left, top, right, top + std::max(0.0, std::min(wanted_height, below)) };
    }
    double bottom = field.top - Autocomplete::popup_gap;
    return { left, bottom - std::min(wanted_height, above), right, bottom };
}

Autocomplete::Autocomplete(std::string id, std::string placeholder)
    : m_input(std::move(id), std::move(placeholder))
{
}

void Autocomplete::set_source(SuggestionSource source)
{
    m_source = std::move(source);
    m_suggestions.clear();
    m_highlighted.reset();
    m_queried_revision = ~std::uint64_t { 0 };
    set_needs_redraw();
}

void Autocomplete::begin_editing(std::string_view text)
{
    m_input.set_text(text);
    m_input.begin_editing();
    Widget::set_focus(true);
    refresh_suggestions();
}

void Autocomplete::close()
{
    set_focus(false);
    m_suggestions.clear();
    m_popup_open = false;
    m_queried_revision = ~std::uint64_t { 0 };
}

void Autocomplete::set_window_bounds(Rect window) { m_window = window; }

void Autocomplete::refresh_suggestions()
{
    m_queried_revision = m_input.revision();
    m_suggestions = m_source ? m_source(m_input.text()) : std::vector<Suggestion> {};
    ++m_queries;
    m_highlighted.reset();
    m_first_row = 0;
    m_popup_open = m_input.has_focus();
    set_needs_redraw();
}

std::vector<TextInputMessage> Autocomplete::take_messages() { return std::exchange(m_messages, {}); }

void Autocomplete::gather_input_messages()
{
    for (auto& message : m_input.take_messages()) {
        m_popup_open = false;
        m_messages.push_back(std::move(message));
    }
    if (m_input.revision() != m_queried_revision)
        refresh_suggestions();
    if (m_input.needs_redraw())
        set_needs_redraw();
}

std::size_t Autocomplete::visible_rows() const { return std::min(m_suggestions.size(), max_visible_rows); }

Rect Autocomplete::popup_rect() const
{
    if (!popup_open())
        return {};
    double wanted = static_cast<double>(visible_rows()) * row_height + 2 * popup_padding;
    Rect window = m_window.value_or(m_surface.value_or(Rect { -1e9, -1e9, 1e9, 1e9 }));
    return place_popup(m_bounds, m_bounds.width(), wanted, window);
}

Rect Autocomplete::row_rect(std::size_t visible_row) const
{
    Rect popup = popup_rect();
    double top = popup.top + popup_padding + static_cast<double>(visible_row) * row_height;
    return { popup.left + popup_padding, top, popup.right - popup_padding, top + row_height };
}

std::optional<std::size_t> Autocomplete::row_at(Point position) const
{
    Rect popup = popup_rect();
    if (!popup.contains(position))
        return std::nullopt;
    for (std::size_t row = 0; row < visible_rows(); ++row) {
        if (row_rect(row).contains(position) && row_rect(row).bottom <= popup.bottom + 0.5)
            return m_first_row + row;
    }
    return std::nullopt;
}

void Autocomplete::highlight(std::optional<std::size_t> index)
{
    if (index && *index >= m_suggestions.size())
        index = m_suggestions.empty() ? std::nullopt : std::optional<std::size_t>(m_suggestions.size() - 1);
    m_highlighted = index;
    if (index) {
        // Keep the highlighted row in the visible window of rows.
        if (*index < m_first_row)
            m_first_row = *index;
        else if (*index >= m_first_row + max_visible_rows)
            m_first_row = *index + 1 - max_visible_rows;
    }
    set_needs_redraw();
}

void Autocomplete::accept(std::size_t index)
{
    if (index >= m_suggestions.size())
        return;
    auto text = m_suggestions[index].text;
    m_input.set_text(text);
    // A folder accepted goes straight on to its own contents.
    refresh_suggestions();
}

EventResult Autocomplete::handle_popup_pointer(Event const& event)
{
    if (auto const* moved = std::get_if<PointerMoved>(&event)) {
        if (auto row = row_at(moved->position); row && row != m_highlighted)
            highlight(row);
        return EventResult::Handled;
    }
    if (auto const* press = std::get_if<PointerPressed>(&event)) {
        if (press->button == PointerButton::Primary)
            if (auto row = row_at(press->position))
                accept(*row);
        return EventResult::Handled;
    }
    if (auto const* scroll = std::get_if<Scrolled>(&event)) {
        auto max_first = m_suggestions.size() - visible_rows();
        auto steps = static_cast<long>(scroll->dy / row_height + (scroll->dy > 0 ? 0.5 : -0.5));
        auto first = static_cast<long>(m_first_row) + steps;
        m_first_row = static_cast<std::size_t>(std::clamp(first, 0L, static_cast<long>(max_first)));
        set_needs_redraw();
        return EventResult::Handled;
    }
    return EventResult::Handled;
}

EventResult Autocomplete::handle_event(Event const& event)
{
    if (popup_open()) {
        auto position = event_position(event);
        if (position && popup_rect().contains(*position))
            return handle_popup_pointer(event);
    }
    EventResult result = EventResult::Ignored;
    if (auto const* key = std::get_if<KeyPressed>(&event))
        result = handle_key(*key);
    else
        result = m_input.handle_event(event);
    if (m_input.has_focus() != has_focus())
        Widget::set_focus(m_input.has_focus());
    gather_input_messages();
    return result;
}

EventResult Autocomplete::handle_key(KeyPressed const& key)
{
    if (!m_input.has_focus())
        return EventResult::Ignored;
    if (key.composing || !key.key || !key.modifiers.none())
        return m_input.handle_event(key);
    bool open = popup_open();
    std::size_t const page = max_visible_rows;
    if (key.is(Key::Down) || key.is(Key::PageDown)) {
        if (m_suggestions.empty())
            return EventResult::Ignored;
        m_popup_open = true;
        highlight(m_highlighted ? *m_highlighted + (key.is(Key::Down) ? 1 : page) : 0);
        return EventResult::Handled;
    }
    if (key.is(Key::Up) || key.is(Key::PageUp)) {
        if (!open)
            return EventResult::Ignored;
        if (!m_highlighted || *m_highlighted == 0)
            highlight(std::nullopt);
        else
            highlight(*m_highlighted - std::min(*m_highlighted, key.is(Key::Up) ? std::size_t { 1 } : page));
        return EventResult::Handled;
    }
    if (key.is(Key::Enter) && open && m_highlighted) {
        accept(*m_highlighted);
        return EventResult::Handled;
    }
    if (key.is(Key::Tab)) {
        if (!open)
            return EventResult::Ignored;
        accept(m_highlighted.value_or(0));
        return EventResult::Handled;
    }
    return m_input.handle_event(key);
}

Size Autocomplete::measure(Size available, LayoutContext& context) { return m_input.measure(available, context); }

void Autocomplete::build_layout(Rect bounds, LayoutContext& context)
{
    m_bounds = bounds;
    m_input.build_layout(bounds, context);
}

void Autocomplete::apply_layout(Rect bounds)
{
    m_bounds = bounds;
    m_input.apply_layout(bounds);
}

void Autocomplete::draw(Painter& painter) { m_input.draw(painter); }

void Autocomplete::draw_overlay(Painter& painter)
{
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    cairo_clip_extents(painter.cairo(), &x1, &y1, &x2, &y2);
    m_surface = Rect { x1, y1, x2, y2 };
    if (!popup_open())
        return;
    Theme const& theme = painter.theme();
    Rect popup = popup_rect();
    double radius = theme.corner_radius;
    painter.panel_shadow(popup, radius);
    painter.fill_rounded_rect(popup, radius, theme.surface);
    painter.stroke_rounded_rect(popup, radius, theme.quiet);
    painter.push_rounded_clip(popup.inset(1), radius - 1);
    Font font { 13, FontWeight::Regular, false };
    for (std::size_t row = 0; row < visible_rows(); ++row) {
        std::size_t index = m_first_row + row;
        if (index >= m_suggestions.size())
            break;
        Rect rect = row_rect(row);
        if (m_highlighted == index)
            painter.fill_rounded_rect(rect, radius - 3, theme.selection);
        double x = rect.left + 8;
        auto const& suggestion = m_suggestions[index];
        if (suggestion.icon) {
            bool folder = *suggestion.icon == Icon::Folder;
            painter.draw_icon(*suggestion.icon,
                Rect::from_xywh(x, rect.center().y - icon_size / 2, icon_size, icon_size),
                folder ? theme.folder_icon : theme.file_icon);
            x += icon_size + 8;
        }
        painter.draw_text(suggestion.text, Rect { x, rect.top, rect.right - 8, rect.bottom },
            { font, theme.primary, TextAlign::Start, Ellipsize::Middle });
    }
    if (m_suggestions.size() > visible_rows()) {
        double track = popup.height() - 2 * popup_padding;
        double share = static_cast<double>(visible_rows()) / static_cast<double>(m_suggestions.size());
        double top = popup.top + popup_padding
            + track * static_cast<double>(m_first_row) / static_cast<double>(m_suggestions.size());
        painter.fill_rounded_rect(Rect::from_xywh(popup.right - 5, top, 3, track * share), 1.5, theme.quiet);
    }
    painter.pop_clip();
}

AccessNode Autocomplete::accessibility() const
{
    AccessNode node = m_input.accessibility();
    if (!popup_open())
        return node;
    AccessNode list(m_input.id() + ":suggestions", AccessRole::List);
    list.bounds = popup_rect();
    for (std::size_t i = 0; i < m_suggestions.size(); ++i) {
        AccessNode item(
            m_input.id() + suggestion_marker + std::to_string(i), AccessRole::ListItem, m_suggestions[i].text);
        item.selected = m_highlighted == i;
        item.actions = { "activate" };
        // Rows scrolled out of the popup have no place on screen.
        if (i >= m_first_row && i - m_first_row < visible_rows()) {
            Rect row = row_rect(i - m_first_row);
            if (row.bottom <= list.bounds.bottom + 0.5)
                item.bounds = row;
        }
        list.children.push_back(std::move(item));
    }
    node.children.push_back(std::move(list));
    return node;
}

bool Autocomplete::perform_action(std::string const& node_id, std::string const& action)
{
    auto prefix = m_input.id() + suggestion_marker;
    if (action == "activate" && node_id.starts_with(prefix)) {
        std::size_t index = 0;
        auto digits = std::string_view(node_id).substr(prefix.size());
        auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
        if (error != std::errc {} || end != digits.data() + digits.size() || index >= m_suggestions.size())
            return false;
        accept(index);
        return true;
    }
    bool handled = m_input.perform_action(node_id, action);
    if (handled) {
        Widget::set_focus(m_input.has_focus());
        gather_input_messages();
    }
    return handled;
}

std::vector<Resource> Autocomplete::resources() const { return m_input.resources(); }

InvokeResult Autocomplete::invoke(ActionInvocation const& invocation)
{
    auto result = m_input.invoke(invocation);
    if (result.is_handled()) {
        Widget::set_focus(m_input.has_focus());
        gather_input_messages();
    }
    return result;
}

void Autocomplete::set_focus(bool focused)
{
    Widget::set_focus(focused);
    m_input.set_focus(focused);
    if (!focused) {
        m_popup_open = false;
        m_highlighted.reset();
    }
    set_needs_redraw();
}

}
