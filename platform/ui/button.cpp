#include "ui/button.h"

#include "ui/painter.h"
#include "ui/theme.h"

#include <algorithm>
#include <nlohmann/json.hpp>

namespace ui {

namespace {

    constexpr double horizontal_padding = 14;
    constexpr double icon_size = 16;
    constexpr double icon_gap = 6;
    constexpr Font label_font { 13, FontWeight::Medium, false };

    struct ButtonColors {
        Color fill;
        Color border;
        Color text;
    };

    ButtonColors colors_for(ButtonStyle style, Theme const& theme, bool hovered, bool pressed)
    {
        Color const black { 0, 0, 0, 1 };
        Color const white { 1, 1, 1, 1 };
        double darken = pressed ? 0.16 : hovered ? 0.08 : 0.0;
        switch (style) {
        case ButtonStyle::Ordinary: {
            Color fill = pressed ? theme.selection : hovered ? theme.selection_soft : theme.surface;
            return { fill, theme.quiet.mixed(black, 0.04), theme.primary };
        }
        case ButtonStyle::Emphasised: {
            Color fill = theme.accent.mixed(black, darken);
            return { fill, fill, white };
        }
        case ButtonStyle::Destructive: {
            Color fill = theme.destructive.mixed(black, darken);
            return { fill, fill, white };
        }
        case ButtonStyle::Quiet: {
            Color fill = pressed ? theme.selection : hovered ? theme.selection_soft : theme.surface.with_alpha(0);
            return { fill, fill, theme.primary };
        }
        }
        return { theme.surface, theme.quiet, theme.primary };
    }

    // True when the payload is the JSON string `id` (whitespace allowed).
    bool payload_names(std::string const& payload_json, std::string const& id)
    {
        auto parsed = nlohmann::json::parse(payload_json, nullptr, false);
        return parsed.is_string() && parsed.get_ref<std::string const&>() == id;
    }

}

Button::Button(std::string control_id, std::string label, ButtonStyle style)
    : m_control_id(std::move(control_id))
    , m_label(std::move(label))
    , m_style(style)
{
}

Button& Button::with_icon(Icon icon)
{
    m_icon = icon;
    return *this;
}

Button& Button::with_description(std::string description)
{
    m_description = std::move(description);
    return *this;
}

void Button::set_label(std::string label)
{
    if (label == m_label)
        return;
    m_label = std::move(label);
    set_needs_layout();
    set_needs_redraw();
}

void Button::set_disabled(bool disabled)
{
    if (disabled == m_disabled)
        return;
    m_disabled = disabled;
    m_pressed = false;
    set_needs_redraw();
}

void Button::activate()
{
    if (m_disabled)
        return;
    ++m_pending_activations;
    set_needs_redraw();
}

Size Button::measure(Size available, LayoutContext& context)
{
    m_text_scale = context.frame.text_scale;
    Font font = label_font;
    font.size *= m_text_scale;
    double width = 2 * horizontal_padding;
    if (!m_label.empty())
        width += context.text.measure(m_label, font).width;
    if (m_icon)
        width += icon_size + (m_label.empty() ? 0 : icon_gap);
    double height = std::max(base_height, base_height * m_text_scale);
    return { std::min(width, available.width), height };
}

void Button::build_layout(Rect bounds, LayoutContext& context)
{
    m_text_scale = context.frame.text_scale;
    m_bounds = bounds;
}

void Button::draw(Painter& painter)
{
    if (m_bounds.is_empty())
        return;
    Theme const& theme = painter.theme();
    ButtonColors colors = colors_for(m_style, theme, m_hovered && !m_disabled, m_pressed && !m_disabled);
    double radius = std::min(theme.corner_radius * 0.75, m_bounds.height() / 2);
    if (m_disabled)
        painter.push_layer(0.45);
    painter.fill_rounded_rect(m_bounds, radius, colors.fill);
    if (m_style == ButtonStyle::Ordinary)
        painter.stroke_rounded_rect(m_bounds, radius, colors.border);

    Font font = label_font;
    font.size *= m_text_scale;
    double label_width = m_label.empty() ? 0 : painter.text().measure(m_label, font).width;
    double icon_width = m_icon ? icon_size + (m_label.empty() ? 0 : icon_gap) : 0;
    Rect content = m_bounds.inset(horizontal_padding, 0);
    double start = std::max(content.left, m_bounds.center().x - (label_width + icon_width) / 2);
    if (m_icon) {
        double top = m_bounds.center().y - icon_size / 2;
        painter.draw_icon(*m_icon, Rect::from_xywh(start, top, icon_size, icon_size), colors.text);
        start += icon_width;
    }
    if (!m_label.empty())
        painter.draw_text(m_label, Rect { start, m_bounds.top, content.right, m_bounds.bottom },
            { font, colors.text, TextAlign::Start, Ellipsize::End });
    if (m_disabled)
        painter.pop_layer();
    if (has_focus() && !m_disabled)
        painter.stroke_rounded_rect(m_bounds.inset(-3), radius + 3, theme.focus, 2);
}

void Button::set_hovered(bool hovered)
{
    if (hovered == m_hovered)
        return;
    m_hovered = hovered;
    set_needs_redraw();
}

EventResult Button::handle_pointer_press(PointerPressed const& press)
{
    if (press.button != PointerButton::Primary || !m_bounds.contains(press.position))
        return EventResult::Ignored;
    if (!m_disabled) {
        m_pressed = true;
        set_needs_redraw();
    }
    return EventResult::Handled;
}

EventResult Button::handle_pointer_release(PointerReleased const& release)
{
    if (release.button != PointerButton::Primary || !m_pressed)
        return EventResult::Ignored;
    m_pressed = false;
    set_needs_redraw();
    // Dragging off the button before releasing cancels the click.
    if (m_bounds.contains(release.position))
        activate();
    return EventResult::Handled;
}

EventResult Button::handle_key(KeyPressed const& key)
{
    if (!has_focus() || m_disabled || key.composing || !key.modifiers.none())
        return EventResult::Ignored;
    if (!key.is(Key::Enter) && !key.is(Key::Space))
        return EventResult::Ignored;
    activate();
    return EventResult::Handled;
}

EventResult Button::handle_event(Event const& event)
{
    if (auto const* moved = std::get_if<PointerMoved>(&event)) {
        set_hovered(m_bounds.contains(moved->position));
        return EventResult::Ignored;
    }
    if (std::holds_alternative<PointerLeft>(event)) {
        set_hovered(false);
        return EventResult::Ignored;
    }
    if (auto const* press = std::get_if<PointerPressed>(&event))
        return handle_pointer_press(*press);
    if (auto const* release = std::get_if<PointerReleased>(&event))
        return handle_pointer_release(*release);
    if (auto const* key = std::get_if<KeyPressed>(&event))
        return handle_key(*key);
    return EventResult::Ignored;
}

AccessNode Button::accessibility() const
{
    AccessNode node(m_control_id, AccessRole::Button, m_label);
    node.description = m_description;
    node.bounds = m_bounds;
    node.focusable = !m_disabled;
    node.focused = has_focus();
    node.disabled = m_disabled;
    node.control_id = m_control_id;
    node.actions = { "activate" };
    return node;
}

bool Button::perform_action(std::string const& node_id, std::string const& action)
{
    if (node_id != m_control_id || action != "activate" || m_disabled)
        return false;
    activate();
    return true;
}

std::vector<Resource> Button::resources() const { return { control_resource(m_control_id, m_label) }; }

InvokeResult Button::invoke(ActionInvocation const& invocation)
{
    if (invocation.action_id != control_invoke_action || !payload_names(invocation.payload_json, m_control_id))
        return InvokeResult::not_handled();
    if (m_disabled)
        return InvokeResult::failed("this control is disabled");
    activate();
    return InvokeResult::handled();
}

std::optional<ControlInvocation> Button::take_control_invocation()
{
    if (m_pending_activations == 0)
        return std::nullopt;
    --m_pending_activations;
    return ControlInvocation { m_control_id };
}

void Button::set_focus(bool focused)
{
    if (focused != has_focus())
        set_needs_redraw();
    Widget::set_focus(focused);
}

}
