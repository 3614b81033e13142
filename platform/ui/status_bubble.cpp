#include "ui/status_bubble.h"

#include "ui/painter.h"
#include "ui/text_renderer.h"

#include <algorithm>

namespace ui {

namespace {

    constexpr Font pill_font { 12.5, FontWeight::Medium, false };
    constexpr double pill_height = 28;
    constexpr double pill_padding = 14;

    double seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

    // Smoothstep: gentle at both ends, so a fade never starts or stops abruptly.
    double ease(double t)
    {
        t = std::clamp(t, 0.0, 1.0);
        return t * t * (3 - 2 * t);
    }

    Font scaled_font(double scale)
    {
        Font font = pill_font;
        font.size *= scale;
        return font;
    }

}

StatusBubble::StatusBubble() = default;
StatusBubble::~StatusBubble() = default;
StatusBubble::StatusBubble(StatusBubble&&) noexcept = default;
StatusBubble& StatusBubble::operator=(StatusBubble&&) noexcept = default;

Size StatusBubble::pill_size(std::string_view text, double scale, double max_width)
{
    if (!m_text)
        m_text = std::make_unique<TextRenderer>();
    double height = pill_height * scale;
    double width = m_text->measure(text, scaled_font(scale)).width + 2 * pill_padding * scale;
    width = std::max(width, height);
    return { std::max(height, std::min(width, max_width)), height };
}

void StatusBubble::poke(Clock::time_point now) { m_poked = now; }

void StatusBubble::set_hover(bool hovered, Clock::time_point now)
{
    if (hovered == m_hovered)
        return;
    m_presence_at_change = presence(now);
    m_hovered = hovered;
    m_hover_changed = now;
}

void StatusBubble::set_pinned(bool pinned) { m_pinned = pinned; }

void StatusBubble::set_reduced_motion(bool reduced) { m_reduced_motion = reduced; }

double StatusBubble::base_alpha(Clock::time_point now) const
{
    if (m_pinned)
        return 1;
    if (!m_poked || now < *m_poked)
        return 0;
    auto age = now - *m_poked;
    if (age < hold)
        return 1;
    if (age >= hold + fade)
        return 0;
    if (m_reduced_motion)
        return 1;
    return 1 - ease(seconds(age - hold) / seconds(fade));
}

double StatusBubble::presence(Clock::time_point now) const
{
    if (m_pinned)
        return 1;
    double target = m_hovered ? 0 : 1;
    if (m_reduced_motion || !m_hover_changed)
        return target;
    double t = seconds(now - *m_hover_changed) / seconds(hover_transition);
    if (t >= 1)
        return target;
    return m_presence_at_change + (target - m_presence_at_change) * ease(t);
}

double StatusBubble::alpha(Clock::time_point now) const { return base_alpha(now) * presence(now); }

bool StatusBubble::is_visible(Clock::time_point now) const { return alpha(now) > 0; }

double StatusBubble::slide_offset(Clock::time_point now) const
{
    // Under reduced motion the pill never moves; it only hides.
    if (m_reduced_motion)
        return 0;
    return (1 - presence(now)) * hover_slide;
}

bool StatusBubble::needs_animation_frame(Clock::time_point now) const
{
    if (m_pinned || m_reduced_motion)
        return false;
    bool fading = m_poked && now >= *m_poked + hold && now < *m_poked + hold + fade;
    bool ducking = m_hover_changed && now < *m_hover_changed + hover_transition && base_alpha(now) > 0;
    return fading || ducking;
}

std::optional<Clock::time_point> StatusBubble::next_wake_deadline(Clock::time_point now) const
{
    if (m_pinned || !m_poked)
        return std::nullopt;
    Clock::time_point fade_start = *m_poked + hold;
    Clock::time_point gone = fade_start + fade;
    if (m_reduced_motion)
        return now < gone ? std::optional { gone } : std::nullopt;
    return now < fade_start ? std::optional { fade_start } : std::nullopt;
}

void StatusBubble::draw_pill(
    Painter& painter, Rect rect, std::string_view text, double scale, Clock::time_point now) const
{
    double opacity = alpha(now);
    if (opacity <= 0 || rect.is_empty())
        return;
    Theme const& theme = painter.theme();
    Rect pill = rect.translated(0, slide_offset(now));
    double radius = pill.height() / 2;
    painter.push_layer(opacity);
    painter.panel_shadow(pill, radius);
    painter.fill_rounded_rect(pill, radius, theme.surface);
    painter.stroke_rounded_rect(pill.inset(0.5), radius - 0.5, theme.quiet);
    painter.draw_text(text, pill.inset(pill_padding * scale, 0),
        { scaled_font(scale), theme.primary, TextAlign::Center, Ellipsize::End });
    painter.pop_layer();
}

}
