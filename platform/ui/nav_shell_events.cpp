#include "ui/nav_shell.h"

#include <nlohmann/json.hpp>

namespace ui {

namespace {

    bool payload_names(std::string const& payload_json, std::string const& id)
    {
        auto parsed = nlohmann::json::parse(payload_json, nullptr, false);
        return parsed.is_string() && parsed.get_ref<std::string const&>() == id;
    }

    // Without a probe from the owner, an activation the sidebar consumed (a
    // primary click or Enter) counts as having navigated.
    bool looks_like_activation(Event const& event)
    {
        if (auto const* release = std::get_if<PointerReleased>(&event))
            return release->button == PointerButton::Primary;
        if (auto const* key = std::get_if<KeyPressed>(&event))
            return key->is(Key::Enter) && !key->composing;
        return false;
    }

    bool is_toggle_key(KeyPressed const& key) { return key.is(Key::F9) && key.modifiers.none() && !key.composing; }

}

NavShellPart NavShell::part_at(Point position) const
{
    if (toggle_rect().contains(position) && !is_sidebar_over_content())
        return NavShellPart::Toggle;
    if (is_sidebar_over_content())
        return m_sidebar_rect.contains(position) ? NavShellPart::Sidebar : NavShellPart::Scrim;
    if (!is_narrow() && m_sidebar_rect.contains(position))
        return NavShellPart::Sidebar;
    if (m_content_rect.contains(position))
        return NavShellPart::Content;
    return NavShellPart::None;
}

Widget* NavShell::widget_for(NavShellPart part)
{
    switch (part) {
    case NavShellPart::Sidebar:
        return m_sidebar.get();
    case NavShellPart::Content:
        return m_content.get();
    case NavShellPart::None:
    case NavShellPart::Scrim:
    case NavShellPart::Toggle:
        return nullptr;
    }
    return nullptr;
}

void NavShell::focus_part(NavShellPart part)
{
    if (part == m_focused)
        return;
    if (Widget* previous = widget_for(m_focused))
        previous->set_focus(false);
    m_focused = part;
    if (Widget* next = widget_for(m_focused); next && has_focus())
        next->set_focus(true);
    set_needs_redraw();
}

void NavShell::set_focus(bool focused)
{
    Widget::set_focus(focused);
    if (Widget* child = widget_for(m_focused))
        child->set_focus(focused);
}

EventResult NavShell::press_toggle(Event const& event)
{
    if (auto const* press = std::get_if<PointerPressed>(&event)) {
        if (press->button == PointerButton::Primary) {
            m_toggle_pressed = true;
            m_captured = NavShellPart::Toggle;
            set_needs_redraw();
        }
        return EventResult::Handled;
    }
    if (auto const* release = std::get_if<PointerReleased>(&event)) {
        bool click = m_toggle_pressed && toggle_rect().contains(release->position);
        m_toggle_pressed = false;
        m_captured = NavShellPart::None;
        if (click)
            toggle_sidebar();
        set_needs_redraw();
        return EventResult::Handled;
    }
    return EventResult::Ignored;
}

EventResult NavShell::route_pointer(Event const& event, Point position)
{
    NavShellPart target = m_captured != NavShellPart::None ? m_captured : part_at(position);
    if (std::holds_alternative<PointerMoved>(event) && target != m_hovered) {
        if (Widget* previous = widget_for(m_hovered))
            previous->handle_event(PointerLeft {});
        m_hovered = target;
        bool over_toggle = target == NavShellPart::Toggle;
        if (over_toggle != m_toggle_hovered) {
            m_toggle_hovered = over_toggle;
            set_needs_redraw();
        }
    }
    if (target == NavShellPart::Toggle)
        return press_toggle(event);
    if (std::holds_alternative<PointerPressed>(event)) {
        m_captured = target;
        if (target == NavShellPart::Sidebar || target == NavShellPart::Content)
            focus_part(target);
    }
    if (std::holds_alternative<PointerReleased>(event))
        m_captured = NavShellPart::None;
    Widget* widget = widget_for(target);
    return widget ? widget->handle_event(event) : EventResult::Ignored;
}

EventResult NavShell::route(Event const& event)
{
    if (std::holds_alternative<PointerLeft>(event)) {
        EventResult result = EventResult::Ignored;
        if (Widget* hovered = widget_for(m_hovered))
            result = hovered->handle_event(event);
        m_hovered = NavShellPart::None;
        m_toggle_hovered = false;
        return result;
    }
    if (auto position = event_position(event)) {
        m_last_part = m_captured != NavShellPart::None ? m_captured : part_at(*position);
        return route_pointer(event, *position);
    }
    if (auto const* key = std::get_if<KeyPressed>(&event)) {
        m_last_part = m_focused;
        if (Widget* focused = widget_for(m_focused); focused && focused->handle_event(event) == EventResult::Handled)
            return EventResult::Handled;
        if (is_toggle_key(*key) && is_narrow()) {
            toggle_sidebar();
            return EventResult::Handled;
        }
    }
    return EventResult::Ignored;
}

EventResult NavShell::handle_overlay_event(Event const& event)
{
    if (auto const* key = std::get_if<KeyPressed>(&event)) {
        if ((key->is(Key::Escape) && !key->composing) || is_toggle_key(*key)) {
            set_sidebar_shown(false);
            return EventResult::Handled;
        }
    }
    if (auto const* press = std::get_if<PointerPressed>(&event);
        press && m_captured == NavShellPart::None && !m_sidebar_rect.contains(press->position)) {
        // A press on the scrim dismisses; its release must not reach the content.
        m_last_part = NavShellPart::Scrim;
        m_swallow_release = true;
        set_sidebar_shown(false);
        return EventResult::Handled;
    }
    EventResult result = route(event);
    if (m_last_part == NavShellPart::Sidebar && result == EventResult::Handled) {
        m_last_navigated = m_probe ? m_probe() : looks_like_activation(event);
        if (m_last_navigated)
            set_sidebar_shown(false);
    }
    // The panel is modal over the content: nothing falls through to it.
    return EventResult::Handled;
}

EventResult NavShell::handle_event(Event const& event)
{
    m_last_navigated = false;
    m_last_part = NavShellPart::None;
    if (std::holds_alternative<PointerReleased>(event) && m_swallow_release) {
        m_swallow_release = false;
        m_last_part = NavShellPart::Scrim;
        return EventResult::Handled;
    }
    EventResult result = m_overlay_shown && is_narrow() ? handle_overlay_event(event) : route(event);
    gather_flags();
    return result;
}

AccessNode NavShell::accessibility() const
{
    AccessNode node("nav_shell", AccessRole::Group);
    node.bounds = m_bounds;
    bool over = m_overlay_shown && is_narrow();
    if (!is_narrow() || over)
        node.children.push_back(m_sidebar->accessibility());
    // While the panel covers it, the content behind the scrim is inert.
    if (!over)
        node.children.push_back(m_content->accessibility());
    if (is_narrow()) {
        AccessNode toggle(toggle_control_id, AccessRole::ToggleButton, over ? m_hide_label : m_show_label);
        toggle.bounds = toggle_rect();
        toggle.focusable = true;
        toggle.checked = over;
        toggle.control_id = toggle_control_id;
        toggle.actions = { "activate" };
        node.children.push_back(std::move(toggle));
    }
    return node;
}

bool NavShell::perform_action(std::string const& node_id, std::string const& action)
{
    if (node_id == toggle_control_id) {
        if (action != "activate" || !is_narrow())
            return false;
        toggle_sidebar();
        return true;
    }
    bool handled = m_sidebar->perform_action(node_id, action) || m_content->perform_action(node_id, action);
    gather_flags();
    return handled;
}

std::vector<Resource> NavShell::resources() const
{
    std::vector<Resource> out;
    if (!is_narrow() || m_overlay_shown)
        out = m_sidebar->resources();
    auto content = m_content->resources();
    out.insert(out.end(), std::make_move_iterator(content.begin()), std::make_move_iterator(content.end()));
    if (is_narrow())
        out.push_back(control_resource(toggle_control_id, m_overlay_shown ? m_hide_label : m_show_label));
    return out;
}

InvokeResult NavShell::invoke(ActionInvocation const& invocation)
{
    if (invocation.action_id == control_invoke_action && payload_names(invocation.payload_json, toggle_control_id)) {
        if (!is_narrow())
            return InvokeResult::failed("this control is disabled");
        toggle_sidebar();
        return InvokeResult::handled();
    }
    InvokeResult result = m_sidebar->invoke(invocation);
    if (result.is_not_handled())
        result = m_content->invoke(invocation);
    gather_flags();
    return result;
}

StartEffectResult NavShell::start_effect(ActionInvocation const& invocation, InvocationId const& id)
{
    StartEffectResult result = m_sidebar->start_effect(invocation, id);
    if (result.outcome != StartEffectResult::Outcome::NotHandled)
        return result;
    return m_content->start_effect(invocation, id);
}

std::optional<EffectResult> NavShell::take_effect_result(InvocationId const& id)
{
    if (auto result = m_sidebar->take_effect_result(id))
        return result;
    return m_content->take_effect_result(id);
}

std::optional<ControlInvocation> NavShell::take_control_invocation()
{
    if (auto invocation = m_sidebar->take_control_invocation())
        return invocation;
    return m_content->take_control_invocation();
}

}
