#include "ui/scrollable.h"

#include "ui/painter.h"
#include "ui/theme.h"

#include <algorithm>
#include <cassert>
#include <limits>

#include <cairo.h>

namespace ui {

namespace {

    constexpr double bar_width = 6;
    constexpr double bar_margin = 3;
    constexpr double min_thumb = 24;

    // Moves every bound of an accessibility subtree by `dy`.
    void shift_bounds(AccessNode& node, double dy)
    {
        node.bounds = node.bounds.translated(0, dy);
        for (auto& child : node.children)
            shift_bounds(child, dy);
    }

    // The child sees pointer positions in content coordinates.
    Event to_content(Event event, double offset)
    {
        std::visit(
            [offset](auto& e) {
                if constexpr (requires { e.position; })
                    e.position.y += offset;
            },
            event);
        return event;
    }

}

Scrollable::Scrollable(std::unique_ptr<Widget> child)
    : m_child(std::move(child))
    , m_offset(std::make_shared<ScrollOffset>())
{
    assert(m_child && "Scrollable needs a child");
}

Scrollable& Scrollable::with_persisted_offset(std::shared_ptr<ScrollOffset> cell)
{
    if (cell)
        m_offset = std::move(cell);
    return *this;
}

Scrollable& Scrollable::with_content_height(double height)
{
    m_fixed_content_height = std::max(0.0, height);
    set_needs_layout();
    return *this;
}

double Scrollable::max_offset() const { return std::max(0.0, m_content_height - m_bounds.height()); }

void Scrollable::scroll_to(double y)
{
    double clamped = std::clamp(y, 0.0, max_offset());
    if (clamped == m_offset->y)
        return;
    m_offset->y = clamped;
    set_needs_redraw();
}

Rect Scrollable::content_rect() const
{
    return { m_bounds.left, m_bounds.top, m_bounds.right, m_bounds.top + m_content_height };
}

Rect Scrollable::visible_content() const
{
    return Rect::from_xywh(m_bounds.left, m_bounds.top + m_offset->y, m_bounds.width(), m_bounds.height())
        .intersected(content_rect());
}

Rect Scrollable::scrollbar_thumb() const
{
    double viewport = m_bounds.height();
    if (m_content_height <= viewport || viewport <= 0)
        return {};
    double track = viewport - 2 * bar_margin;
    double thumb = std::clamp(track * viewport / m_content_height, std::min(min_thumb, track), track);
    double top = m_bounds.top + bar_margin + (track - thumb) * (m_offset->y / max_offset());
    double right = m_bounds.right - bar_margin;
    return { right - bar_width, top, right, top + thumb };
}

void Scrollable::gather_flags()
{
    if (m_child->needs_layout())
        set_needs_layout();
    if (m_child->needs_redraw())
        set_needs_redraw();
}

void Scrollable::sync(FrameContext const& frame)
{
    m_child->sync(frame);
    gather_flags();
}

Size Scrollable::measure(Size available, LayoutContext&) { return available; }

void Scrollable::build_layout(Rect bounds, LayoutContext& context)
{
    m_bounds = bounds;
    m_content_height = m_fixed_content_height.value_or(
        m_child->measure({ bounds.width(), std::numeric_limits<double>::infinity() }, context).height);
    // The cell may hold an offset from a longer listing; keep it in range.
    m_offset->y = std::clamp(m_offset->y, 0.0, max_offset());
    m_offset->x = 0;
    m_child->set_needs_layout(false);
    m_child->build_layout(content_rect(), context);
    gather_flags();
}

void Scrollable::apply_layout(Rect bounds)
{
    m_bounds = bounds;
    m_offset->y = std::clamp(m_offset->y, 0.0, max_offset());
    m_child->apply_layout(content_rect());
}

void Scrollable::draw(Painter& painter)
{
    painter.push_clip(m_bounds);
    cairo_t* cr = painter.cairo();
    cairo_save(cr);
    cairo_translate(cr, 0, -m_offset->y);
    m_child->set_needs_redraw(false);
    m_child->draw(painter);
    cairo_restore(cr);
    painter.pop_clip();

    Rect thumb = scrollbar_thumb();
    if (!thumb.is_empty()) {
        Color color = painter.theme().primary.with_alpha(m_hovered ? 0.38 : 0.22);
        painter.fill_rounded_rect(thumb, bar_width / 2, color);
    }
    gather_flags();
}

void Scrollable::draw_overlay(Painter& painter)
{
    cairo_t* cr = painter.cairo();
    cairo_save(cr);
    cairo_translate(cr, 0, -m_offset->y);
    m_child->draw_overlay(painter);
    cairo_restore(cr);
}

EventResult Scrollable::handle_event(Event const& event)
{
    if (auto const* scroll = std::get_if<Scrolled>(&event)) {
        if (!m_bounds.contains(scroll->position))
            return EventResult::Ignored;
        if (m_child->handle_event(to_content(event, m_offset->y)) == EventResult::Handled) {
            gather_flags();
            return EventResult::Handled;
        }
        double before = m_offset->y;
        scroll_to(before + scroll->dy);
        return m_offset->y != before ? EventResult::Handled : EventResult::Ignored;
    }
    if (auto const* moved = std::get_if<PointerMoved>(&event)) {
        bool hovered = m_bounds.contains(moved->position);
        if (hovered != m_hovered) {
            m_hovered = hovered;
            set_needs_redraw();
        }
    }
    if (std::holds_alternative<PointerLeft>(event) && m_hovered) {
        m_hovered = false;
        set_needs_redraw();
    }
    EventResult result = m_child->handle_event(to_content(event, m_offset->y));
    gather_flags();
    return result;
}

AccessNode Scrollable::accessibility() const
{
    AccessNode node({}, AccessRole::ScrollArea);
    node.bounds = m_bounds;
    AccessNode inner = m_child->accessibility();
    shift_bounds(inner, -m_offset->y);
    node.children.push_back(std::move(inner));
    return node;
}

bool Scrollable::perform_action(std::string const& node_id, std::string const& action)
{
    bool handled = m_child->perform_action(node_id, action);
    gather_flags();
    return handled;
}

std::vector<Resource> Scrollable::resources() const { return m_child->resources(); }

InvokeResult Scrollable::invoke(ActionInvocation const& invocation)
{
    InvokeResult result = m_child->invoke(invocation);
    gather_flags();
    return result;
}

StartEffectResult Scrollable::start_effect(ActionInvocation const& invocation, InvocationId const& id)
{
    return m_child->start_effect(invocation, id);
}

std::optional<EffectResult> Scrollable::take_effect_result(InvocationId const& id)
{
    return m_child->take_effect_result(id);
}

std::optional<ControlInvocation> Scrollable::take_control_invocation() { return m_child->take_control_invocation(); }

void Scrollable::set_focus(bool focused)
{
    Widget::set_focus(focused);
    m_child->set_focus(focused);
}

}
