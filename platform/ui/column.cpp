#include "ui/column.h"

#include <cassert>
#include <limits>

namespace ui {

Column& Column::with_gap(double gap)
{
    m_line.gap = gap;
    return *this;
}

Column& Column::with_padding(Insets padding)
{
    m_line.padding = padding;
    return *this;
}

Column& Column::with_id(std::string id)
{
    m_id = std::move(id);
    return *this;
}

Widget& Column::add(std::unique_ptr<Widget> child, Sizing sizing)
{
    assert(child && "Column::add needs a widget");
    m_children.push_back({ std::move(child), sizing, {} });
    set_needs_layout();
    return *m_children.back().widget;
}

void Column::focus_child(std::optional<std::size_t> index)
{
    if (index && *index >= m_children.size())
        index.reset();
    if (m_focused == index)
        return;
    if (m_focused)
        m_children[*m_focused].widget->set_focus(false);
    m_focused = index;
    if (m_focused)
        m_children[*m_focused].widget->set_focus(true);
    set_needs_redraw();
}

void Column::gather_flags()
{
    for (auto const& child : m_children) {
        if (child.widget->needs_layout())
            set_needs_layout();
        if (child.widget->needs_redraw())
            set_needs_redraw();
    }
}

void Column::sync(FrameContext const& frame)
{
    for (auto& child : m_children)
        child.widget->sync(frame);
    gather_flags();
}

std::vector<Sizing> Column::sizings(Rect inner, LayoutContext& context)
{
    std::vector<Sizing> out;
    out.reserve(m_children.size());
    for (auto& child : m_children) {
        Sizing sizing = child.sizing;
        if (sizing.kind == Sizing::Kind::Content)
            sizing.amount = child.widget->measure(inner.size(), context).height;
        out.push_back(sizing);
    }
    return out;
}

Size Column::measure(Size available, LayoutContext& context)
{
    Insets const& pad = m_line.padding;
    Size inner { std::max(0.0, available.width - pad.left - pad.right), std::numeric_limits<double>::infinity() };
    double width = 0;
    double height = pad.top + pad.bottom;
    for (std::size_t i = 0; i < m_children.size(); ++i) {
        auto& child = m_children[i];
        Size size = child.widget->measure(inner, context);
        double extent = child.sizing.kind == Sizing::Kind::Fixed ? child.sizing.amount : size.height;
        height += std::clamp(extent, child.sizing.min, child.sizing.max) + (i > 0 ? m_line.gap : 0);
        width = std::max(width, size.width);
    }
    return { std::min(available.width, width + pad.left + pad.right), std::min(available.height, height) };
}

void Column::build_layout(Rect bounds, LayoutContext& context)
{
    m_bounds = bounds;
    m_laid_out = bounds;
    Insets const& pad = m_line.padding;
    Rect inner { bounds.left + pad.left, bounds.top + pad.top,
        std::max(bounds.left + pad.left, bounds.right - pad.right),
        std::max(bounds.top + pad.top, bounds.bottom - pad.bottom) };
    std::vector<Sizing> items = sizings(inner, context);
    std::vector<Rect> rects = layout_line(bounds, m_line, items);
    for (std::size_t i = 0; i < m_children.size(); ++i) {
        auto& child = m_children[i];
        child.rect = rects[i];
        child.widget->set_needs_layout(false);
        child.widget->build_layout(child.rect, context);
    }
    gather_flags();
}

void Column::apply_layout(Rect bounds)
{
    m_bounds = bounds;
    double dx = bounds.left - m_laid_out.left;
    double dy = bounds.top - m_laid_out.top;
    for (auto& child : m_children) {
        child.rect = child.rect.translated(dx, dy);
        child.widget->apply_layout(child.rect);
    }
    m_laid_out = bounds;
}

void Column::draw(Painter& painter)
{
    for (auto& child : m_children) {
        child.widget->set_needs_redraw(false);
        child.widget->draw(painter);
    }
    gather_flags();
}

void Column::draw_overlay(Painter& painter)
{
    for (auto& child : m_children)
        child.widget->draw_overlay(painter);
    gather_flags();
}

std::optional<std::size_t> Column::child_at(Point position) const
{
    for (std::size_t i = 0; i < m_children.size(); ++i) {
        if (m_children[i].rect.contains(position))
            return i;
    }
    return std::nullopt;
}

EventResult Column::forward_pointer(Event const& event, Point position)
{
    std::optional<std::size_t> target = m_captured ? m_captured : child_at(position);
    if (std::holds_alternative<PointerMoved>(event) && target != m_hovered) {
        if (m_hovered)
            m_children[*m_hovered].widget->handle_event(PointerLeft {});
        m_hovered = target;
    }
    if (std::holds_alternative<PointerPressed>(event))
        m_captured = target;
    if (std::holds_alternative<PointerReleased>(event))
        m_captured.reset();
    if (!target)
        return EventResult::Ignored;
    return m_children[*target].widget->handle_event(event);
}

EventResult Column::move_focus(bool backwards)
{
    std::size_t count = m_children.size();
    for (std::size_t step = 1; step <= count; ++step) {
        std::size_t start = m_focused ? *m_focused : (backwards ? 0 : count - 1);
        std::size_t index = backwards ? (start + count - step) % count : (start + step) % count;
        if (m_children[index].widget->accessibility().focusable) {
            focus_child(index);
            return EventResult::Handled;
        }
    }
    return EventResult::Ignored;
}

EventResult Column::handle_event(Event const& event)
{
    EventResult result = EventResult::Ignored;
    if (std::holds_alternative<PointerLeft>(event)) {
        if (m_hovered)
            result = m_children[*m_hovered].widget->handle_event(event);
        m_hovered.reset();
    } else if (auto position = event_position(event)) {
        result = forward_pointer(event, *position);
    } else if (auto const* key = std::get_if<KeyPressed>(&event)) {
        if (m_focused)
            result = m_children[*m_focused].widget->handle_event(event);
        if (result == EventResult::Ignored && key->is(Key::Tab) && !key->modifiers.primary() && !key->modifiers.alt)
            result = move_focus(key->modifiers.shift);
    }
    gather_flags();
    return result;
}

AccessNode Column::accessibility() const
{
    AccessNode node(m_id, AccessRole::Group);
    node.bounds = m_bounds;
    for (auto const& child : m_children) {
        AccessNode child_node = child.widget->accessibility();
        // A widget with nothing to say answers an empty group; leave it out.
        if (child_node.id.empty() && child_node.label.empty() && child_node.children.empty()
            && child_node.role == AccessRole::Group)
            continue;
        node.children.push_back(std::move(child_node));
    }
    return node;
}

bool Column::perform_action(std::string const& node_id, std::string const& action)
{
    for (auto& child : m_children) {
        if (child.widget->perform_action(node_id, action)) {
            gather_flags();
            return true;
        }
    }
    return false;
}

std::vector<Resource> Column::resources() const
{
    std::vector<Resource> out;
    for (auto const& child : m_children) {
        auto part = child.widget->resources();
        out.insert(out.end(), std::make_move_iterator(part.begin()), std::make_move_iterator(part.end()));
    }
    return out;
}

InvokeResult Column::invoke(ActionInvocation const& invocation)
{
    for (auto& child : m_children) {
        InvokeResult result = child.widget->invoke(invocation);
        if (!result.is_not_handled()) {
            gather_flags();
            return result;
        }
    }
    return InvokeResult::not_handled();
}

StartEffectResult Column::start_effect(ActionInvocation const& invocation, InvocationId const& id)
{
    for (auto& child : m_children) {
        StartEffectResult result = child.widget->start_effect(invocation, id);
        if (result.outcome != StartEffectResult::Outcome::NotHandled)
            return result;
    }
    return StartEffectResult::not_handled();
}

std::optional<EffectResult> Column::take_effect_result(InvocationId const& id)
{
    for (auto& child : m_children) {
        if (auto result = child.widget->take_effect_result(id))
            return result;
    }
    return std::nullopt;
}

std::optional<ControlInvocation> Column::take_control_invocation()
{
    for (auto& child : m_children) {
        if (auto invocation = child.widget->take_control_invocation())
            return invocation;
    }
    return std::nullopt;
}

void Column::set_focus(bool focused)
{
    Widget::set_focus(focused);
    if (!focused) {
        focus_child(std::nullopt);
        return;
    }
    if (!m_focused)
        move_focus(false);
}

bool Column::needs_idle_sync() const
{
    return std::any_of(m_children.begin(), m_children.end(), [](auto const& c) { return c.widget->needs_idle_sync(); });
}

bool Column::needs_animation_frame() const
{
    return std::any_of(
        m_children.begin(), m_children.end(), [](auto const& c) { return c.widget->needs_animation_frame(); });
}

std::optional<Clock::time_point> Column::next_wake_deadline() const
{
    std::optional<Clock::time_point> deadline;
    for (auto const& child : m_children)
        deadline = earliest(deadline, child.widget->next_wake_deadline());
    return deadline;
}

}
