#include "path_bar/path_bar.h"

#include "favorites/typed_path.h"
#include "i18n/translate.h"
#include "path_bar/suggestion_source.h"

#include <utility>

namespace files::path_bar {

PathBar::PathBar(std::vector<std::filesystem::path> roots, std::optional<std::filesystem::path> home)
    : m_roots(std::move(roots))
    , m_home(std::move(home))
    , m_field(input_identifier, i18n::translate("files-path-placeholder"))
{
}

void PathBar::set_location(std::filesystem::path path)
{
    m_location = std::move(path);
    m_crumbs = breadcrumbs_for(m_location, m_roots, m_home);
    auto last = m_crumbs.segments.size() - 1;
    m_focus = m_focus ? std::min(*m_focus, last) : last;
    m_hover.reset();
    m_metrics_stale = true;
    set_needs_layout();
    set_needs_redraw();
}

std::vector<PathBarMessage> PathBar::take_messages() { return std::exchange(m_messages, {}); }

void PathBar::begin_edit()
{
    m_editing = true;
    m_hover.reset();
    m_field.set_source(make_suggestion_source(m_location, m_home));
    m_field.apply_layout(m_bounds);
    m_field.begin_editing(favorites::display_with_home(m_location, m_home));
    Widget::set_focus(true);
    set_needs_redraw();
}

void PathBar::close_edit()
{
    if (!m_editing)
        return;
    m_editing = false;
    m_field.close();
    set_needs_redraw();
}

void PathBar::activate(std::size_t segment)
{
    if (segment >= m_crumbs.segments.size())
        return;
    if (segment + 1 == m_crumbs.segments.size())
        begin_edit();
    else
        m_messages.push_back(NavigateToPath { m_crumbs.segments[segment].path });
}

void PathBar::take_field_messages()
{
    for (auto& message : m_field.take_messages()) {
        if (auto* submitted = std::get_if<ui::TextSubmitted>(&message)) {
            m_messages.push_back(NavigateToText { std::move(submitted->text) });
            close_edit();
        } else {
            close_edit();
        }
    }
    if (m_field.needs_redraw())
        set_needs_redraw();
}

void PathBar::set_hover(std::optional<std::size_t> hover)
{
    if (hover == m_hover)
        return;
    m_hover = hover;
    set_needs_redraw();
}

ui::EventResult PathBar::handle_editing(ui::Event const& event)
{
    auto result = m_field.handle_event(event);
    take_field_messages();
    return result;
}

ui::EventResult PathBar::handle_move(ui::Point position)
{
    m_pointer = position;
    set_hover(segment_at(m_layout, m_bounds, position));
    return ui::EventResult::Ignored;
}

ui::EventResult PathBar::handle_press(ui::PointerPressed const& press)
{
    if (press.button != ui::PointerButton::Primary || !m_bounds.contains(press.position))
        return ui::EventResult::Ignored;
    if (auto segment = segment_at(m_layout, m_bounds, press.position)) {
        // Even the current segment navigates: a click re-opens the folder.
        m_messages.push_back(NavigateToPath { m_crumbs.segments[*segment].path });
        return ui::EventResult::Handled;
    }
    begin_edit();
    return ui::EventResult::Handled;
}

ui::EventResult PathBar::handle_key(ui::KeyPressed const& key)
{
    if (!has_focus() || key.composing || !key.modifiers.none() || !key.key || m_crumbs.segments.empty())
        return ui::EventResult::Ignored;
    std::size_t last = m_crumbs.segments.size() - 1;
    std::size_t focus = std::min(m_focus.value_or(last), last);
    if (key.is(ui::Key::Left))
        m_focus = focus == 0 ? 0 : focus - 1;
    else if (key.is(ui::Key::Right))
        m_focus = std::min(last, focus + 1);
    else if (key.is(ui::Key::Home))
        m_focus = 0;
    else if (key.is(ui::Key::End))
        m_focus = last;
    else if (key.is(ui::Key::Enter))
        activate(focus);
    else
        return ui::EventResult::Ignored;
    set_needs_redraw();
    return ui::EventResult::Handled;
}

ui::EventResult PathBar::handle_event(ui::Event const& event)
{
    if (m_editing)
        return handle_editing(event);
    if (auto const* moved = std::get_if<ui::PointerMoved>(&event))
        return handle_move(moved->position);
    if (std::holds_alternative<ui::PointerLeft>(event)) {
        m_pointer.reset();
        set_hover(std::nullopt);
        return ui::EventResult::Ignored;
    }
    if (auto const* press = std::get_if<ui::PointerPressed>(&event))
        return handle_press(*press);
    if (auto const* key = std::get_if<ui::KeyPressed>(&event))
        return handle_key(*key);
    return ui::EventResult::Ignored;
}

void PathBar::set_focus(bool focused)
{
    if (focused != has_focus())
        set_needs_redraw();
    Widget::set_focus(focused);
    if (m_editing) {
        // Losing focus drops the field's transient state but keeps the edit.
        m_field.set_focus(focused);
    }
}

std::vector<ui::Resource> PathBar::resources() const
{
    if (m_editing)
        return m_field.resources();
    return {};
}

ui::InvokeResult PathBar::invoke(ui::ActionInvocation const& invocation)
{
    if (!m_editing)
        return ui::InvokeResult::not_handled();
    auto result = m_field.invoke(invocation);
    take_field_messages();
    return result;
}

}
