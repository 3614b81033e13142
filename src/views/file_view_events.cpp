#include "views/file_view.h"

#include <cmath>

namespace files::views {

namespace {

    ui::ClickSelect click_mode(ui::Modifiers const& modifiers)
    {
        if (modifiers.shift)
            return ui::ClickSelect::Range;
        if (modifiers.primary())
            return ui::ClickSelect::Toggle;
        return ui::ClickSelect::Replace;
    }

    std::optional<std::size_t> entry_index(Hit const& hit)
    {
        if (auto const* entry = std::get_if<HitEntry>(&hit))
            return entry->index;
        return std::nullopt;
    }

    double distance(ui::Point a, ui::Point b) { return std::hypot(a.x - b.x, a.y - b.y); }

}

ui::EventResult FileView::handle_event(ui::Event const& event)
{
    if (auto const* moved = std::get_if<ui::PointerMoved>(&event))
        return handle_move(*moved);
    if (auto const* pressed = std::get_if<ui::PointerPressed>(&event))
        return handle_press(*pressed);
    if (std::holds_alternative<ui::PointerReleased>(event)) {
        m_pending.reset();
        return ui::EventResult::Ignored;
    }
    if (std::holds_alternative<ui::PointerLeft>(event)) {
        if (m_hover) {
            m_hover.reset();
            set_needs_redraw();
            m_messages.emplace_back(RedrawNeeded {});
        }
        return ui::EventResult::Ignored;
    }
    if (auto const* key = std::get_if<ui::KeyPressed>(&event))
        return handle_key(*key);
    return ui::EventResult::Ignored;
}

ui::EventResult FileView::handle_move(ui::PointerMoved const& moved)
{
    m_pointer = moved.position;
    std::optional<std::size_t> hover = entry_index(hit(moved.position));
    if (hover != m_hover) {
        m_hover = hover;
        set_needs_redraw();
        m_messages.emplace_back(RedrawNeeded {});
    }
    if (m_pending && distance(moved.position, m_pending->position) > drag_threshold) {
        m_messages.emplace_back(BeginDrag { m_pending->index, m_pending->path, m_pending->position });
        m_pending.reset();
        return ui::EventResult::Handled;
    }
    return ui::EventResult::Ignored;
}

ui::EventResult FileView::handle_press(ui::PointerPressed const& pressed)
{
    m_pointer = pressed.position;
    if (!m_bounds.contains(pressed.position))
        return ui::EventResult::Ignored;
    Hit target = hit(pressed.position);
    std::optional<std::size_t> index = entry_index(target);
    switch (pressed.button) {
    case ui::PointerButton::Secondary:
        if (index && !m_selection.is_selected(*index))
            m_selection.select_only(*index);
        m_messages.emplace_back(ContextMenuRequested { pressed.position, index });
        return ui::EventResult::Handled;
    case ui::PointerButton::Middle:
        return ui::EventResult::Ignored;
    case ui::PointerButton::Primary:
        break;
    }
    if (auto const* header = std::get_if<HitHeader>(&target)) {
        if (header->column)
            m_messages.emplace_back(HeaderSortClicked { *header->column });
        return ui::EventResult::Handled;
    }
    if (index)
        m_selection.apply_click(*index, click_mode(pressed.modifiers));
    else if (pressed.modifiers.none())
        m_selection.clear();
    m_messages.emplace_back(EntryClicked { index, pressed.modifiers, pressed.click_count });
    m_pending.reset();
    if (index && pressed.modifiers.none())
        m_pending = PendingPress { *index, m_entries[*index].path, pressed.position };
    set_needs_redraw();
    return ui::EventResult::Handled;
}

ui::EventResult FileView::handle_key(ui::KeyPressed const& key)
{
    if (m_mode != ViewMode::Grid || !has_focus() || !key.modifiers.none() || key.composing || m_entries.empty()
        || !key.key)
        return ui::EventResult::Ignored;
    std::size_t primary = m_selection.primary().value_or(0);
    std::size_t columns = m_grid.columns;
    std::size_t target = primary;
    if (key.is(ui::Key::Right))
        target = primary + 1;
    else if (key.is(ui::Key::Left))
        target = primary == 0 ? 0 : primary - 1;
    else if (key.is(ui::Key::Down))
        target = primary + columns;
    else if (key.is(ui::Key::Up))
        target = primary < columns ? 0 : primary - columns;
    else
        return ui::EventResult::Ignored;
    target = std::min(target, m_entries.size() - 1);
    m_messages.emplace_back(SelectIndex { target });
    return ui::EventResult::Handled;
}

}
