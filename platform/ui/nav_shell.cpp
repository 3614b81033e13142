#include "ui/nav_shell.h"

#include "ui/painter.h"

#include <algorithm>
#include <cassert>

#include <cairo.h>

namespace ui {

namespace {

    constexpr double toggle_margin = 12;
    constexpr double scrim_opacity = 0.28;

    double ease_out(double t)
    {
        t = std::clamp(t, 0.0, 1.0);
        return 1 - (1 - t) * (1 - t) * (1 - t);
    }

}

std::unique_ptr<NavShell> NavShell::sidebar_over_content(
    std::unique_ptr<Widget> sidebar, std::unique_ptr<Widget> content, double narrow_threshold)
{
    return std::make_unique<NavShell>(std::move(sidebar), std::move(content), narrow_threshold);
}

NavShell::NavShell(std::unique_ptr<Widget> sidebar, std::unique_ptr<Widget> content, double narrow_threshold)
    : m_sidebar(std::move(sidebar))
    , m_content(std::move(content))
    , m_threshold(std::max(1.0, narrow_threshold))
{
    assert(m_sidebar && m_content && "NavShell needs a sidebar and a content widget");
}

void NavShell::set_sidebar(std::unique_ptr<Widget> sidebar)
{
    assert(sidebar && "NavShell needs a sidebar");
    m_sidebar = std::move(sidebar);
    m_sidebar->set_focus(m_focused == NavShellPart::Sidebar);
    if (m_captured == NavShellPart::Sidebar)
        m_captured = NavShellPart::None;
    set_needs_layout();
}

void NavShell::set_content(std::unique_ptr<Widget> content)
{
    assert(content && "NavShell needs a content widget");
    m_content = std::move(content);
    m_content->set_focus(m_focused == NavShellPart::Content);
    if (m_captured == NavShellPart::Content)
        m_captured = NavShellPart::None;
    set_needs_layout();
}

void NavShell::set_narrow_threshold(double width)
{
    width = std::max(1.0, width);
    if (width == m_threshold)
        return;
    m_threshold = width;
    set_needs_layout();
}

void NavShell::set_sidebar_width(double width)
{
    m_sidebar_width = std::max(0.0, width);
    set_needs_layout();
}

void NavShell::set_toggle_labels(std::string show, std::string hide)
{
    m_show_label = std::move(show);
    m_hide_label = std::move(hide);
}

void NavShell::set_navigation_probe(NavigationProbe probe) { m_probe = std::move(probe); }

bool NavShell::is_sidebar_over_content() const { return is_narrow() && (m_overlay_shown || m_progress > 0); }

void NavShell::set_sidebar_shown(bool shown)
{
    if (shown && !is_narrow())
        return;
    if (shown == m_overlay_shown)
        return;
    m_overlay_shown = shown;
    m_slide_pending = true;
    focus_part(shown ? NavShellPart::Sidebar : NavShellPart::None);
    set_needs_redraw();
}

void NavShell::snap_sidebar_shown()
{
    m_overlay_shown = true;
    m_progress = 1;
    m_slide_pending = false;
    m_slide_started.reset();
    focus_part(NavShellPart::Sidebar);
    set_needs_redraw();
}

Rect NavShell::sidebar_rect() const { return m_sidebar_rect; }

Rect NavShell::scrim_rect() const
{
    if (!is_sidebar_over_content())
        return {};
    double panel_right = m_sidebar_rect.right - (1 - m_progress) * m_sidebar_rect.width();
    return { std::max(m_content_rect.left, panel_right), m_content_rect.top, m_content_rect.right,
        m_content_rect.bottom };
}

Color NavShell::scrim_color() const { return Color { 0.04, 0.06, 0.1, scrim_opacity * m_progress }; }

Rect NavShell::toggle_rect() const
{
    if (!is_narrow() || m_content_rect.is_empty())
        return {};
    return Rect::from_xywh(m_content_rect.left + toggle_margin, m_content_rect.bottom - toggle_margin - toggle_size,
        toggle_size, toggle_size);
}

void NavShell::sync(FrameContext const& frame)
{
    m_reduced_motion = frame.reduced_motion;
    double target = m_overlay_shown ? 1.0 : 0.0;
    if (m_slide_pending) {
        m_slide_pending = false;
        m_slide_started = frame.now;
        m_progress_from = m_progress;
    }
    if (m_progress != target) {
        double t = m_slide_started && !m_reduced_motion
            ? std::chrono::duration<double>(frame.now - *m_slide_started) / slide_duration
            : 1.0;
        m_progress = t >= 1 ? target : m_progress_from + (target - m_progress_from) * ease_out(t);
        set_needs_redraw();
    }
    m_sidebar->sync(frame);
    m_content->sync(frame);
    gather_flags();
}

void NavShell::layout_children(LayoutContext* context)
{
    Rect bounds = m_bounds;
    if (is_narrow()) {
        double width = std::min(m_sidebar_width, std::max(0.0, bounds.width() - overlay_min_scrim));
        m_sidebar_rect = { bounds.left, bounds.top, bounds.left + width, bounds.bottom };
        m_content_rect = bounds;
    } else {
        double width = std::min(m_sidebar_width, bounds.width());
        m_sidebar_rect = { bounds.left, bounds.top, bounds.left + width, bounds.bottom };
        m_content_rect = { m_sidebar_rect.right, bounds.top, bounds.right, bounds.bottom };
    }
    if (context) {
        m_sidebar->set_needs_layout(false);
        m_sidebar->build_layout(m_sidebar_rect, *context);
        m_content->set_needs_layout(false);
        m_content->build_layout(m_content_rect, *context);
    } else {
        m_sidebar->apply_layout(m_sidebar_rect);
        m_content->apply_layout(m_content_rect);
    }
}

void NavShell::build_layout(Rect bounds, LayoutContext& context)
{
    m_bounds = bounds;
    if (!is_narrow() && (m_overlay_shown || m_progress > 0)) {
        // Widening the window docks the sidebar; narrowing again starts hidden.
        m_overlay_shown = false;
        m_progress = 0;
        m_slide_pending = false;
    }
    layout_children(&context);
    gather_flags();
}

void NavShell::apply_layout(Rect bounds)
{
    m_bounds = bounds;
    layout_children(nullptr);
}

void NavShell::draw(Painter& painter) { draw_parts(painter, true); }

void NavShell::draw_without_content(Painter& painter) { draw_parts(painter, false); }

void NavShell::draw_parts(Painter& painter, bool with_content)
{
    m_sidebar->set_needs_redraw(false);
    m_content->set_needs_redraw(false);
    if (!is_narrow()) {
        m_sidebar->draw(painter);
        if (with_content)
            m_content->draw(painter);
        gather_flags();
        return;
    }
    if (with_content)
        m_content->draw(painter);
    draw_toggle(painter);
    if (m_progress > 0) {
        double offset = -(1 - m_progress) * m_sidebar_rect.width();
        Rect panel = m_sidebar_rect.translated(offset, 0);
        painter.push_clip(m_bounds);
        painter.panel_shadow(panel, 0);
        painter.fill_rect(panel, painter.theme().panel);
        cairo_save(painter.cairo());
        cairo_translate(painter.cairo(), offset, 0);
        m_sidebar->draw(painter);
        cairo_restore(painter.cairo());
        painter.pop_clip();
    }
    gather_flags();
}

void NavShell::draw_overlay(Painter& painter)
{
    if (sidebar_visible())
        m_sidebar->draw_overlay(painter);
    m_content->draw_overlay(painter);
    gather_flags();
}

void NavShell::draw_toggle(Painter& painter) const
{
    Rect rect = toggle_rect();
    if (rect.is_empty())
        return;
    Theme const& theme = painter.theme();
    double radius = rect.height() / 2;
    painter.panel_shadow(rect, radius);
    Color fill = m_toggle_pressed ? theme.selection : m_toggle_hovered ? theme.selection_soft : theme.surface;
    painter.fill_rounded_rect(rect, radius, fill);
    painter.stroke_rounded_rect(rect.inset(0.5), radius - 0.5, theme.quiet);
    // A window with its left pane filled: the sidebar.
    Rect glyph = Rect::from_xywh(rect.center().x - 8, rect.center().y - 7, 16, 14);
    painter.stroke_rounded_rect(glyph, 2.5, theme.primary, 1.5);
    painter.fill_rect({ glyph.left + 1.5, glyph.top + 1.5, glyph.left + 6, glyph.bottom - 1.5 }, theme.primary);
    if (m_focused == NavShellPart::Toggle && has_focus())
        painter.stroke_rounded_rect(rect.inset(-3), radius + 3, theme.focus, 2);
}

void NavShell::gather_flags()
{
    for (Widget* child : { m_sidebar.get(), m_content.get() }) {
        if (child->needs_layout())
            set_needs_layout();
        if (child->needs_redraw())
            set_needs_redraw();
    }
}

bool NavShell::needs_idle_sync() const { return m_sidebar->needs_idle_sync() || m_content->needs_idle_sync(); }

bool NavShell::needs_animation_frame() const
{
    return m_slide_pending || is_animating() || m_sidebar->needs_animation_frame()
        || m_content->needs_animation_frame();
}

std::optional<Clock::time_point> NavShell::next_wake_deadline() const
{
    return earliest(m_sidebar->next_wake_deadline(), m_content->next_wake_deadline());
}

}
