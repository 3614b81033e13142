#include "ui/spinner.h"

#include "ui/painter.h"

#include <cmath>
#include <numbers>

#include <cairo.h>

namespace ui {

namespace {

    // The arc covers about three quarters of the circle; its tail fades so
    // the direction of turning reads at a glance.
    constexpr double arc_length = 1.5 * std::numbers::pi;
    constexpr int arc_segments = 18;
    constexpr double resting_angle = 0.25 * std::numbers::pi;

}

Spinner::Spinner(std::string label)
    : m_label(std::move(label))
{
}

void Spinner::set_active(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    m_started.reset();
    set_needs_redraw();
}

double Spinner::angle_at(Clock::time_point now) const
{
    if (m_reduced_motion || !m_started)
        return resting_angle;
    double elapsed = std::chrono::duration<double>(now - *m_started).count();
    double turns = elapsed / std::chrono::duration<double>(period).count();
    return (turns - std::floor(turns)) * 2 * std::numbers::pi;
}

void Spinner::sync(FrameContext const& frame)
{
    m_reduced_motion = frame.reduced_motion;
    m_now = frame.now;
    if (m_active && !m_started)
        m_started = frame.now;
    if (needs_animation_frame())
        set_needs_redraw();
}

Size Spinner::measure(Size available, LayoutContext&)
{
    return { std::min(available.width, default_size), std::min(available.height, default_size) };
}

void Spinner::draw(Painter& painter)
{
    if (!m_active || m_bounds.is_empty())
        return;
    draw_spinner(painter, m_bounds, angle_at(m_now), painter.theme().accent);
}

AccessNode Spinner::accessibility() const
{
    if (!m_active)
        return {};
    AccessNode node("spinner", AccessRole::ProgressIndicator, m_label);
    node.bounds = m_bounds;
    return node;
}

bool Spinner::needs_animation_frame() const { return m_active && !m_reduced_motion; }

void draw_spinner(Painter& painter, Rect rect, double angle, Color color)
{
    double side = std::min(rect.width(), rect.height());
    if (side <= 0)
        return;
    double stroke = std::max(2.0, side / 10);
    double radius = (side - stroke) / 2;
    Point centre = rect.center();
    painter.stroke_circle(centre, radius, color.with_alpha(0.14), stroke);
    cairo_t* cr = painter.cairo();
    cairo_save(cr);
    cairo_set_line_width(cr, stroke);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    double step = arc_length / arc_segments;
    for (int i = 0; i < arc_segments; ++i) {
        double start = angle - arc_length + i * step;
        double alpha = static_cast<double>(i + 1) / arc_segments;
        cairo_set_source_rgba(cr, color.r, color.g, color.b, color.a * alpha);
        cairo_new_path(cr);
        cairo_arc(cr, centre.x, centre.y, radius, start, start + step);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
    // A round head; the segments behind it are butt-ended so they never overlap.
    Point head { centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle) };
    painter.fill_circle(head, stroke / 2, color);
}

}
