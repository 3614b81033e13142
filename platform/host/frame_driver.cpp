#include "host/frame_driver.h"

#include "ui/desktop.h"
#include "ui/painter.h"
#include "ui/theme.h"

#include <cairo.h>

namespace host {

FrameDriver::FrameDriver(ui::Widget& root, ui::Size size)
    : m_root(root)
    , m_size(size)
{
}

void FrameDriver::set_size(ui::Size size)
{
    if (size == m_size)
        return;
    m_size = size;
    m_requested = true;
}

void FrameDriver::set_scale(double scale)
{
    if (scale == m_scale || !(scale > 0))
        return;
    m_scale = scale;
    m_requested = true;
}

ui::FrameContext FrameDriver::frame_context(Clock::time_point now) const
{
    auto& desktop = ui::desktop();
    return { now, desktop.text_scale(), desktop.reduced_motion() };
}

ui::EventResult FrameDriver::deliver(ui::Event const& event)
{
    auto result = m_root.handle_event(event);
    m_requested = true;
    return result;
}

void FrameDriver::prepare(Clock::time_point now)
{
    auto frame = frame_context(now);
    m_root.sync(frame);
    if (m_root.needs_layout() || m_laid_out_size != m_size) {
        // Cleared first, so a widget that finds more to do during layout can
        // ask again and get a follow-up frame.
        m_root.set_needs_layout(false);
        ui::LayoutContext layout { m_text, frame };
        auto bounds = ui::Rect::from_size({ 0, 0 }, m_size);
        m_root.build_layout(bounds, layout);
        m_root.apply_layout(bounds);
        m_laid_out_size = m_size;
    }
    m_requested = false;
    m_last_frame = now;
    ++m_frames;
}

void FrameDriver::paint(cairo_t* cr)
{
    auto const& theme = ui::Theme::light();
    m_root.set_needs_redraw(false);
    cairo_save(cr);
    ui::Painter painter(cr, m_text, theme);
    painter.fill_rect(ui::Rect::from_size({ 0, 0 }, m_size), theme.window);
    m_root.draw(painter);
    m_root.draw_overlay(painter);
    cairo_restore(cr);
}

void FrameDriver::run_frame(Clock::time_point now, cairo_t* cr)
{
    prepare(now);
    paint(cr);
    m_follow_up = m_root.needs_layout() || m_root.needs_redraw();
}

bool FrameDriver::wants_continuous_frames() const
{
    return m_follow_up || m_root.needs_animation_frame() || m_root.needs_idle_sync();
}

std::optional<Clock::time_point> FrameDriver::next_frame_time() const
{
    if (m_requested || !m_last_frame)
        return Clock::time_point::min();
    std::optional<Clock::time_point> next;
    if (wants_continuous_frames())
        next = *m_last_frame + frame_interval;
    return ui::earliest(next, m_root.next_wake_deadline());
}

bool FrameDriver::frame_due(Clock::time_point now) const
{
    auto next = next_frame_time();
    return next && *next <= now;
}

bool FrameDriver::is_idle() const { return !m_requested && m_last_frame && !wants_continuous_frames(); }

}
