// Measuring, layout and painting of the breadcrumbs.

#include "favorites/path_text.h"
#include "path_bar/path_bar.h"
#include "ui/painter.h"
#include "ui/theme.h"

namespace files::path_bar {

namespace {

    ui::Font label_font(bool current)
    {
        return { label_font_size, current ? ui::FontWeight::Medium : ui::FontWeight::Regular, false };
    }

    ui::Icon icon_of(LeadingIcon icon)
    {
        switch (icon) {
        case LeadingIcon::Workspace:
            return ui::Icon::Workspace;
        case LeadingIcon::Drive:
            return ui::Icon::Root;
        case LeadingIcon::Home:
            return ui::Icon::Home;
        }
        return ui::Icon::Root;
    }

}

void PathBar::measure_labels(ui::TextRenderer& text)
{
    if (!m_metrics_stale)
        return;
    auto const& segments = m_crumbs.segments;
    m_metrics.label_widths.clear();
    for (std::size_t i = 0; i < segments.size(); ++i)
        m_metrics.label_widths.push_back(text.measure(segments[i].label, label_font(i + 1 == segments.size())).width);
    m_metrics.separator_width = text.measure(separator_text, label_font(false)).width;
    m_metrics.ellipsis_width = text.measure(ellipsis_text, label_font(false)).width;
    m_metrics_stale = false;
}

void PathBar::relayout()
{
    if (m_metrics.label_widths.size() != m_crumbs.segments.size())
        return;
    m_layout = layout_breadcrumbs(m_bounds, m_metrics);
    if (m_pointer && !m_editing)
        m_hover = segment_at(m_layout, m_bounds, *m_pointer);
}

ui::Size PathBar::measure(ui::Size available, ui::LayoutContext&) { return { available.width, height }; }

void PathBar::build_layout(ui::Rect bounds, ui::LayoutContext& context)
{
    m_bounds = bounds;
    measure_labels(context.text);
    relayout();
    m_field.build_layout(bounds, context);
}

void PathBar::apply_layout(ui::Rect bounds)
{
    m_bounds = bounds;
    relayout();
    m_field.apply_layout(bounds);
}

void PathBar::draw(ui::Painter& painter)
{
    if (m_bounds.is_empty())
        return;
    if (m_editing) {
        m_field.draw(painter);
        return;
    }
    measure_labels(painter.text());
    relayout();
    ui::Theme const& theme = painter.theme();
    double radius = std::min(theme.corner_radius * 0.75, m_bounds.height() / 2);
    painter.fill_rounded_rect(m_bounds, radius, theme.window);
    painter.line({ m_bounds.left + radius, m_bounds.bottom - 0.5 }, { m_bounds.right - radius, m_bounds.bottom - 0.5 },
        theme.quiet, 1);
    draw_breadcrumbs(painter);
}

void PathBar::draw_breadcrumbs(ui::Painter& painter)
{
    ui::Theme const& theme = painter.theme();
    painter.draw_icon(icon_of(m_crumbs.icon), m_layout.icon, theme.muted);
    painter.push_clip(m_bounds);
    auto const& segments = m_crumbs.segments;
    double mid = m_bounds.center().y;
    for (auto const& item : m_layout.items) {
        if (item.separator_before) {
            double right = item.rect.left - separator_padding;
            painter.draw_text(separator_text,
                { right - m_metrics.separator_width - 1, m_bounds.top, right + 1, m_bounds.bottom },
                { label_font(false), theme.muted, ui::TextAlign::Center, ui::Ellipsize::None });
        }
        if (!item.segment) {
            painter.draw_text(ellipsis_text, item.rect.inset(-1, 0),
                { label_font(false), theme.muted, ui::TextAlign::Start, ui::Ellipsize::None });
            continue;
        }
        std::size_t index = *item.segment;
        ui::Color ink = item.current ? theme.primary : theme.muted;
        if (m_hover == index)
            ink = theme.accent;
        // A pixel of slack so rounding never ellipsizes a label that fits.
        painter.draw_text(segments[index].label, { item.rect.left, m_bounds.top, item.rect.right + 1, m_bounds.bottom },
            { label_font(item.current), ink, ui::TextAlign::Start, ui::Ellipsize::End });
        if (has_focus() && m_focus == index) {
            ui::Rect ring { item.rect.left - 5, mid - 11, item.rect.right + 5, mid + 11 };
            painter.stroke_rounded_rect(ring, 5, theme.focus, 2);
        }
    }
    painter.pop_clip();
}

void PathBar::draw_overlay(ui::Painter& painter)
{
    if (m_editing)
        m_field.draw_overlay(painter);
}

}
