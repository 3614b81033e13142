#include "ui/toggle_group.h"

#include "ui/painter.h"
#include "ui/theme.h"

#include <cassert>
#include <nlohmann/json.hpp>
#include <utility>

namespace ui {

namespace {

    constexpr double option_padding = 10;
    constexpr double icon_size = 16;
    constexpr double icon_gap = 6;
    // The selected option's raised surface sits this far inside the track.
    constexpr double track_inset = 2;

    bool payload_names(std::string const& payload_json, std::string const& id)
    {
        auto parsed = nlohmann::json::parse(payload_json, nullptr, false);
        return parsed.is_string() && parsed.get_ref<std::string const&>() == id;
    }

    bool shows_label(ToggleOption const& option) { return !option.label.empty() && !(option.icon && option.icon_only); }

}

ToggleGroup::ToggleGroup(
    std::string control_id, std::string label, std::vector<ToggleOption> options, std::size_t selected)
    : m_control_id(std::move(control_id))
    , m_label(std::move(label))
    , m_options(std::move(options))
{
    assert(!m_options.empty() && "a toggle group needs at least one option");
    m_selected = std::min(selected, m_options.size() - 1);
}

void ToggleGroup::set_selected(std::size_t index)
{
    index = std::min(index, m_options.size() - 1);
    if (index == m_selected)
        return;
    m_selected = index;
    set_needs_redraw();
}

void ToggleGroup::choose(std::size_t index)
{
    if (index >= m_options.size() || index == m_selected)
        return;
    m_selected = index;
    m_pending = index;
    set_needs_redraw();
}

std::optional<std::size_t> ToggleGroup::take_selection_change() { return std::exchange(m_pending, std::nullopt); }

std::optional<ControlInvocation> ToggleGroup::take_control_invocation()
{
    if (!take_selection_change())
        return std::nullopt;
    return ControlInvocation { m_control_id };
}

std::string ToggleGroup::option_node_id(std::size_t index) const { return m_control_id + ":" + std::to_string(index); }

void ToggleGroup::measure_options(TextRenderer& text)
{
    Font font { 13 * m_text_scale, FontWeight::Medium, false };
    m_option_widths.clear();
    for (auto const& option : m_options) {
        double width = 2 * option_padding;
        if (option.icon)
            width += icon_size;
        if (shows_label(option))
            width += text.measure(option.label, font).width + (option.icon ? icon_gap : 0);
        m_option_widths.push_back(width);
    }
}

Size ToggleGroup::measure(Size available, LayoutContext& context)
{
    m_text_scale = context.frame.text_scale;
    measure_options(context.text);
    double width = 2 * track_inset;
    for (double w : m_option_widths)
        width += w;
    return { std::min(width, available.width), std::max(base_height, base_height * m_text_scale) };
}

void ToggleGroup::build_layout(Rect bounds, LayoutContext& context)
{
    m_text_scale = context.frame.text_scale;
    measure_options(context.text);
    m_bounds = bounds;
    place_options();
}

void ToggleGroup::apply_layout(Rect bounds)
{
    m_bounds = bounds;
    place_options();
}

void ToggleGroup::place_options()
{
    Rect inner = m_bounds.inset(track_inset);
    double natural = 0;
    for (double w : m_option_widths)
        natural += w;
    bool measured = m_option_widths.size() == m_options.size() && natural > 0;
    // Options share the width in proportion to their content.
    double factor = measured ? inner.width() / natural : 0;
    m_option_rects.clear();
    double x = inner.left;
    for (std::size_t i = 0; i < m_options.size(); ++i) {
        double width = measured ? m_option_widths[i] * factor : inner.width() / static_cast<double>(m_options.size());
        m_option_rects.push_back({ x, inner.top, x + width, inner.bottom });
        x += width;
    }
}

std::optional<std::size_t> ToggleGroup::option_at(Point position) const
{
    for (std::size_t i = 0; i < m_option_rects.size(); ++i) {
        if (m_option_rects[i].contains(position))
            return i;
    }
    return std::nullopt;
}

void ToggleGroup::draw(Painter& painter)
{
    if (m_bounds.is_empty())
        return;
    Theme const& theme = painter.theme();
    double radius = std::min(theme.corner_radius, m_bounds.height() / 2);
    painter.fill_rounded_rect(m_bounds, radius, theme.panel);
    Font font { 13 * m_text_scale, FontWeight::Medium, false };
    for (std::size_t i = 0; i < m_options.size() && i < m_option_rects.size(); ++i) {
        Rect rect = m_option_rects[i];
        bool selected = i == m_selected;
        if (selected) {
            painter.fill_rounded_rect(rect.translated(0, 0.5), radius - track_inset, theme.quiet);
            painter.fill_rounded_rect(rect, radius - track_inset, theme.surface);
        } else if (m_hovered == i) {
            painter.fill_rounded_rect(rect, radius - track_inset, theme.selection_soft.mixed(theme.panel, 0.4));
        }
        Color ink = selected ? theme.primary : theme.muted;
        auto const& option = m_options[i];
        bool label = shows_label(option);
        double label_width = label ? painter.text().measure(option.label, font).width : 0;
        double content = (option.icon ? icon_size : 0) + label_width + (option.icon && label ? icon_gap : 0);
        double x = std::max(rect.left + option_padding * 0.5, rect.center().x - content / 2);
        if (option.icon) {
            painter.draw_icon(*option.icon, Rect::from_xywh(x, rect.center().y - icon_size / 2, icon_size, icon_size),
                selected ? theme.accent : ink);
            x += icon_size + icon_gap;
        }
        if (label)
            painter.draw_text(option.label, Rect { x, rect.top, rect.right, rect.bottom },
                { font, ink, TextAlign::Start, Ellipsize::End });
    }
    if (has_focus() && m_selected < m_option_rects.size())
        painter.stroke_rounded_rect(m_option_rects[m_selected].inset(-1), radius - 1, theme.focus, 2);
}

EventResult ToggleGroup::handle_event(Event const& event)
{
    if (auto const* moved = std::get_if<PointerMoved>(&event)) {
        auto hovered = option_at(moved->position);
        if (hovered != m_hovered) {
            m_hovered = hovered;
            set_needs_redraw();
        }
        return EventResult::Ignored;
    }
    if (std::holds_alternative<PointerLeft>(event)) {
        if (m_hovered)
            set_needs_redraw();
        m_hovered.reset();
        return EventResult::Ignored;
    }
    if (auto const* press = std::get_if<PointerPressed>(&event)) {
        if (press->button != PointerButton::Primary || !m_bounds.contains(press->position))
            return EventResult::Ignored;
        m_pressed = option_at(press->position);
        return EventResult::Handled;
    }
    if (auto const* release = std::get_if<PointerReleased>(&event)) {
        if (release->button != PointerButton::Primary || !m_pressed)
            return EventResult::Ignored;
        // Releasing on another option than the pressed one cancels the choice.
        if (option_at(release->position) == m_pressed)
            choose(*m_pressed);
        m_pressed.reset();
        return EventResult::Handled;
    }
    if (auto const* key = std::get_if<KeyPressed>(&event))
        return handle_key(*key);
    return EventResult::Ignored;
}

EventResult ToggleGroup::handle_key(KeyPressed const& key)
{
    if (!has_focus() || key.composing || !key.modifiers.none() || !key.key)
        return EventResult::Ignored;
    std::size_t last = m_options.size() - 1;
    if (key.is(Key::Left))
        choose(m_selected == 0 ? 0 : m_selected - 1);
    else if (key.is(Key::Right))
        choose(std::min(last, m_selected + 1));
    else if (key.is(Key::Home))
        choose(0);
    else if (key.is(Key::End))
        choose(last);
    else
        return EventResult::Ignored;
    return EventResult::Handled;
}

AccessNode ToggleGroup::accessibility() const
{
    AccessNode group(m_control_id, AccessRole::Group, m_label);
    group.bounds = m_bounds;
    group.focusable = true;
    group.focused = has_focus();
    group.control_id = m_control_id;
    group.value = m_options[m_selected].label;
    group.actions = { "activate" };
    for (std::size_t i = 0; i < m_options.size(); ++i) {
        AccessNode option(option_node_id(i), AccessRole::ToggleButton, m_options[i].label);
        if (i < m_option_rects.size())
            option.bounds = m_option_rects[i];
        option.checked = i == m_selected;
        option.selected = i == m_selected;
        option.actions = { "activate" };
        group.children.push_back(std::move(option));
    }
    return group;
}

bool ToggleGroup::perform_action(std::string const& node_id, std::string const& action)
{
    if (action != "activate")
        return false;
    if (node_id == m_control_id) {
        choose((m_selected + 1) % m_options.size());
        return true;
    }
    for (std::size_t i = 0; i < m_options.size(); ++i) {
        if (node_id == option_node_id(i)) {
            choose(i);
            return true;
        }
    }
    return false;
}

std::vector<Resource> ToggleGroup::resources() const { return { control_resource(m_control_id, m_label) }; }

InvokeResult ToggleGroup::invoke(ActionInvocation const& invocation)
{
    if (invocation.action_id != control_invoke_action || !payload_names(invocation.payload_json, m_control_id))
        return InvokeResult::not_handled();
    choose((m_selected + 1) % m_options.size());
    return InvokeResult::handled();
}

void ToggleGroup::set_focus(bool focused)
{
    if (focused != has_focus())
        set_needs_redraw();
    Widget::set_focus(focused);
}

}
