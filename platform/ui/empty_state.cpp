#include "ui/empty_state.h"

#include "ui/button.h"
#include "ui/painter.h"

#include <algorithm>

namespace ui {

namespace {

    constexpr Font title_font { 17, FontWeight::Semibold, false };
    constexpr Font detail_font { 13, FontWeight::Regular, false };
    // Matches the button's own label font and padding, so the reserved room
    // fits the button that the owner places there.
    constexpr Font action_font { 13, FontWeight::Medium, false };
    constexpr double action_padding = 14;
    constexpr double icon_gap = 16;
    constexpr double title_height = 24;
    constexpr double line_gap = 6;
    constexpr double detail_height = 20;
    constexpr double action_gap = 20;
    constexpr double side_margin = 24;

    Font scaled(Font font, double scale)
    {
        font.size *= scale;
        return font;
    }

    Rect centred_row(Rect bounds, double top, double width, double height)
    {
        double left = bounds.center().x - width / 2;
        return Rect::from_xywh(left, top, width, height);
    }

}

EmptyState::EmptyState(EmptyStateContent content)
    : m_content(std::move(content))
{
}

void EmptyState::set_content(EmptyStateContent content)
{
    m_content = std::move(content);
    set_needs_layout();
    set_needs_redraw();
}

EmptyStateGeometry EmptyState::compute_geometry(
    EmptyStateContent const& content, Rect bounds, TextRenderer& text, double text_scale)
{
    double scale = std::max(1.0, text_scale);
    double icon = content.icon ? icon_size * scale : 0;
    double title = title_height * scale;
    double detail = content.detail.empty() ? 0 : detail_height * scale;
    double button_height = Button::base_height * scale;
    double height = (icon > 0 ? icon + icon_gap * scale : 0) + title + (detail > 0 ? line_gap * scale + detail : 0)
        + (content.action_label ? action_gap * scale + button_height : 0);

    EmptyStateGeometry geometry;
    double text_width = std::max(0.0, bounds.width() - 2 * side_margin);
    double y = bounds.center().y - height / 2;
    if (icon > 0) {
        geometry.icon = centred_row(bounds, y, icon, icon);
        y += icon + icon_gap * scale;
    }
    geometry.title = centred_row(bounds, y, text_width, title);
    y += title;
    if (detail > 0) {
        y += line_gap * scale;
        geometry.detail = centred_row(bounds, y, text_width, detail);
        y += detail;
    }
    if (content.action_label) {
        y += action_gap * scale;
        double label = text.measure(*content.action_label, scaled(action_font, text_scale)).width;
        double width = std::max(label + 2 * action_padding, 4 * Button::base_height * scale);
        geometry.action = centred_row(bounds, y, std::min(width, std::max(0.0, bounds.width())), button_height);
    }
    return geometry;
}

void EmptyState::build_layout(Rect bounds, LayoutContext& context)
{
    m_bounds = bounds;
    m_text_scale = context.frame.text_scale;
    m_geometry = compute_geometry(m_content, bounds, context.text, m_text_scale);
}

void EmptyState::apply_layout(Rect bounds)
{
    double dx = bounds.left - m_bounds.left;
    double dy = bounds.top - m_bounds.top;
    m_geometry.icon = m_geometry.icon.translated(dx, dy);
    m_geometry.title = m_geometry.title.translated(dx, dy);
    m_geometry.detail = m_geometry.detail.translated(dx, dy);
    if (m_geometry.action)
        m_geometry.action = m_geometry.action->translated(dx, dy);
    m_bounds = bounds;
}

void EmptyState::draw(Painter& painter)
{
    if (m_bounds.width() <= 1 || m_bounds.height() <= 1)
        return;
    Theme const& theme = painter.theme();
    painter.push_clip(m_bounds);
    if (m_content.icon) {
        // A soft disc behind the glyph keeps a large line icon from looking thin.
        Rect icon = m_geometry.icon;
        painter.fill_circle(icon.center(), icon.width() * 0.6, theme.panel);
        painter.draw_icon(*m_content.icon, icon.inset(icon.width() * 0.2), theme.muted);
    }
    painter.draw_text(m_content.title, m_geometry.title,
        { scaled(title_font, m_text_scale), theme.primary, TextAlign::Center, Ellipsize::End });
    if (!m_content.detail.empty())
        painter.draw_text(m_content.detail, m_geometry.detail,
            { scaled(detail_font, m_text_scale), theme.muted, TextAlign::Center, Ellipsize::Middle });
    painter.pop_clip();
}

AccessNode EmptyState::accessibility() const
{
    AccessNode node("empty_state", AccessRole::Status, m_content.title);
    node.description = m_content.detail;
    node.bounds = m_bounds;
    return node;
}

}
