#include "places_sidebar/places_sidebar.h"

#include <algorithm>

namespace files::places_sidebar {

namespace {

    // The row focus moves to for a navigation key; nullopt for other keys.
    std::optional<std::size_t> moved_focus(ui::Key key, std::optional<std::size_t> focus, std::size_t count)
    {
        std::size_t const last = count - 1;
        if (key == ui::Key::Down)
            return focus ? std::min(*focus + 1, last) : 0;
        if (key == ui::Key::Up)
            return focus && *focus > 0 ? std::min(*focus - 1, last) : 0;
        if (key == ui::Key::Home)
            return 0;
        if (key == ui::Key::End)
            return last;
        return std::nullopt;
    }

}

ui::EventResult PlacesSidebar::handle_event(ui::Event const& event)
{
    refresh_geometry();
    if (auto const* press = std::get_if<ui::PointerPressed>(&event))
        return handle_press(*press);
    if (auto const* move = std::get_if<ui::PointerMoved>(&event))
        return handle_move(*move);
    if (auto const* release = std::get_if<ui::PointerReleased>(&event))
        return handle_release(*release);
    if (auto const* key = std::get_if<ui::KeyPressed>(&event))
        return handle_key(*key);
    if (std::holds_alternative<ui::PointerLeft>(event) && m_hover && !m_drag) {
        m_hover.reset();
        set_needs_redraw();
    }
    return ui::EventResult::Ignored;
}

ui::EventResult PlacesSidebar::handle_press(ui::PointerPressed const& press)
{
    m_last_pointer = press.position;
    auto row = m_geometry.row_at(press.position);
    if (!row)
        return ui::EventResult::Ignored;
    switch (press.button) {
    case ui::PointerButton::Primary:
        m_focus = row;
        set_focus(true);
        if (m_geometry.is_favourite(*row))
            m_drag = ReorderDrag::start(m_geometry, *row, press.position);
        else
            activate(*row);
        return ui::EventResult::Handled;
    case ui::PointerButton::Secondary:
        if (!m_geometry.is_favourite(*row))
            return ui::EventResult::Ignored;
        open_menu(*row);
        return ui::EventResult::Handled;
    case ui::PointerButton::Middle:
        return ui::EventResult::Ignored;
    }
    return ui::EventResult::Ignored;
}

ui::EventResult PlacesSidebar::handle_move(ui::PointerMoved const& move)
{
    m_last_pointer = move.position;
    if (m_drag) {
        m_drag->update(m_geometry, move.position);
        set_needs_redraw();
        return ui::EventResult::Handled;
    }
    auto row = m_geometry.row_at(move.position);
    if (row != m_hover) {
        m_hover = row;
        set_needs_redraw();
    }
    return row ? ui::EventResult::Handled : ui::EventResult::Ignored;
}

ui::EventResult PlacesSidebar::handle_release(ui::PointerReleased const& release)
{
    if (!m_drag || release.button != ui::PointerButton::Primary)
        return ui::EventResult::Ignored;
    m_drag->update(m_geometry, release.position);
    auto drag = *m_drag;
    m_drag.reset();
    if (drag.moves_row())
        m_messages.push_back(MoveFavourite { drag.from, drag.drop });
    else
        activate(drag.from);
    m_hover = m_geometry.row_at(release.position);
    set_needs_redraw();
    return ui::EventResult::Handled;
}

ui::EventResult PlacesSidebar::handle_key(ui::KeyPressed const& key)
{
    auto count = m_geometry.rows.size();
    if (!has_focus() || !key.modifiers.none() || !key.key || count == 0)
        return ui::EventResult::Ignored;
    std::size_t focus = std::min(m_focus.value_or(0), count - 1);
    if (key.is(ui::Key::Enter)) {
        activate(focus);
        return ui::EventResult::Handled;
    }
    if (key.is(ui::Key::Menu)) {
        if (!m_geometry.is_favourite(focus))
            return ui::EventResult::Ignored;
        open_menu(focus);
        return ui::EventResult::Handled;
    }
    auto target = moved_focus(*key.key, m_focus, count);
    if (!target)
        return ui::EventResult::Ignored;
    m_focus = target;
    set_needs_redraw();
    return ui::EventResult::Handled;
}

}
