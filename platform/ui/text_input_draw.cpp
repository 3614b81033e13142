// Measuring, scrolling and painting of TextInput.

#include "ui/painter.h"
#include "ui/text_input.h"
#include "ui/theme.h"

#include <cmath>

namespace ui {

namespace {

    constexpr double caret_half_height = 9;

}

Font TextInput::font() const { return Font { 13 * m_text_scale, FontWeight::Regular, false }; }

Rect TextInput::text_area() const { return m_bounds.inset(text_inset, 0); }

Size TextInput::measure(Size available, LayoutContext& context)
{
    m_text_scale = context.frame.text_scale;
    return { available.width, std::max(base_height, base_height * m_text_scale) };
}

void TextInput::build_layout(Rect bounds, LayoutContext& context)
{
    m_text_scale = context.frame.text_scale;
    m_bounds = bounds;
    update_metrics(context.text);
}

void TextInput::apply_layout(Rect bounds)
{
    m_bounds = bounds;
    keep_caret_visible();
}

void TextInput::update_metrics(TextRenderer& text)
{
    auto const size = font().size;
    if (m_measured_revision != m_revision || m_measured_size != size) {
        m_boundary_x.clear();
        m_boundary_x.reserve(m_boundaries.size());
        for (auto offset : m_boundaries)
            m_boundary_x.push_back(
                offset == 0 ? 0 : text.measure(std::string_view(m_text).substr(0, offset), font()).width);
        m_measured_revision = m_revision;
        m_measured_size = size;
    }
    if (m_measured_preedit != m_preedit) {
        m_preedit_width = m_preedit.empty() ? 0 : text.measure(m_preedit, font()).width;
        m_measured_preedit = m_preedit;
    }
    keep_caret_visible();
}

double TextInput::offset_x(std::size_t offset) const
{
    if (m_boundary_x.size() != m_boundaries.size())
        return m_boundary_x.empty() ? 0 : m_boundary_x.back();
    auto it = std::lower_bound(m_boundaries.begin(), m_boundaries.end(), offset);
    if (it == m_boundaries.end())
        return m_boundary_x.back();
    return m_boundary_x[static_cast<std::size_t>(it - m_boundaries.begin())];
}

std::size_t TextInput::offset_at(double x) const
{
    if (m_boundary_x.size() != m_boundaries.size())
        return m_text.size();
    double content_x = x - text_area().left + m_scroll;
    std::size_t best = 0;
    for (std::size_t i = 1; i < m_boundary_x.size(); ++i) {
        if (std::abs(m_boundary_x[i] - content_x) < std::abs(m_boundary_x[best] - content_x))
            best = i;
    }
    return m_boundaries[best];
}

double TextInput::caret_x() const
{
    return text_area().left - m_scroll + offset_x(m_selection.caret) + m_preedit_width;
}

void TextInput::keep_caret_visible()
{
    double visible = std::max(0.0, text_area().width() - 2);
    double caret = offset_x(m_selection.caret) + m_preedit_width;
    double full = (m_boundary_x.empty() ? 0 : m_boundary_x.back()) + m_preedit_width;
    if (caret - m_scroll > visible)
        m_scroll = caret - visible;
    if (caret < m_scroll)
        m_scroll = caret;
    // Never leave blank space at the end once the text shrinks.
    m_scroll = std::max(0.0, std::min(m_scroll, full - visible));
}

void TextInput::draw(Painter& painter)
{
    if (m_bounds.is_empty())
        return;
    update_metrics(painter.text());
    Theme const& theme = painter.theme();
    double radius = std::min(theme.corner_radius * 0.75, m_bounds.height() / 2);
    painter.fill_rounded_rect(m_bounds, radius, theme.surface);
    if (has_focus()) {
        painter.stroke_rounded_rect(m_bounds.inset(-2), radius + 2, theme.focus.with_alpha(0.25), 3);
        painter.stroke_rounded_rect(m_bounds, radius, theme.accent, 1);
    } else {
        painter.stroke_rounded_rect(m_bounds, radius, theme.quiet.mixed(Color { 0, 0, 0, 1 }, 0.04));
    }

    Rect area = text_area();
    painter.push_clip(area.inset(-2, 0));
    double origin = area.left - m_scroll;
    double mid = area.center().y;
    if (m_text.empty() && m_preedit.empty()) {
        painter.draw_text(m_placeholder, area, { font(), theme.muted, TextAlign::Start, Ellipsize::End });
    } else {
        if (!m_selection.empty()) {
            double from = origin + offset_x(m_selection.start());
            double to = origin + offset_x(m_selection.end());
            painter.fill_rounded_rect(Rect { from, mid - caret_half_height - 1, to, mid + caret_half_height + 1 }, 3,
                has_focus() ? theme.selection_strong : theme.selection);
        }
        auto caret = m_selection.caret;
        std::string shown = m_text.substr(0, caret) + m_preedit + m_text.substr(caret);
        double full = (m_boundary_x.empty() ? 0 : m_boundary_x.back()) + m_preedit_width;
        painter.draw_text(shown, Rect { origin, m_bounds.top, origin + full + 4, m_bounds.bottom },
            { font(), theme.primary, TextAlign::Start, Ellipsize::None });
        if (!m_preedit.empty()) {
            double from = origin + offset_x(caret);
            painter.line({ from, mid + caret_half_height - 1.5 },
                { from + m_preedit_width, mid + caret_half_height - 1.5 }, theme.primary, 1);
        }
    }
    if (has_focus()) {
        double x = std::round(caret_x()) + 0.5;
        painter.line({ x, mid - caret_half_height }, { x, mid + caret_half_height }, theme.accent, 1.5);
    }
    painter.pop_clip();
}

}
