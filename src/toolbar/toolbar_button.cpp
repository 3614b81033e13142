#include "toolbar/toolbar_button.h"

#include "ui/painter.h"
#include "ui/theme.h"

namespace files::toolbar {

namespace {

    constexpr double icon_size = 16;
    constexpr double icon_gap = 7;
    constexpr ui::Font label_font { 13, ui::FontWeight::Medium, false };

}

ToolbarButton::ToolbarButton(std::string control_id, std::string label, ui::Icon icon, LabelDisplay display)
    : ui::Button(std::move(control_id), std::move(label), ui::ButtonStyle::Quiet)
    , m_icon(icon)
    , m_display(display)
{
    with_icon(icon);
}

void ToolbarButton::draw(ui::Painter& painter)
{
    ui::Rect rect = bounds();
    if (rect.is_empty())
        return;
    ui::Theme const& theme = painter.theme();
    double radius = std::min(theme.corner_radius * 0.75, rect.height() / 2);
    bool active = !is_disabled();
    if (active && is_pressed())
        painter.fill_rounded_rect(rect, radius, theme.selection);
    else if (active && is_hovered())
        painter.fill_rounded_rect(rect, radius, theme.selection_soft.mixed(theme.panel, 0.5));
    ui::Color ink = active ? theme.primary : theme.muted.with_alpha(0.55);

    bool text = m_display == LabelDisplay::IconAndText && !label().empty();
    double label_width = text ? painter.text().measure(label(), label_font).width : 0;
    double content = icon_size + (text ? icon_gap + label_width : 0);
    double x = std::max(rect.left + 8, rect.center().x - content / 2);
    painter.draw_icon(m_icon, ui::Rect::from_xywh(x, rect.center().y - icon_size / 2, icon_size, icon_size), ink);
    if (text)
        painter.draw_text(label(), { x + icon_size + icon_gap, rect.top, rect.right - 6, rect.bottom },
            { label_font, ink, ui::TextAlign::Start, ui::Ellipsize::End });
    if (has_focus() && active)
        painter.stroke_rounded_rect(rect.inset(-2), radius + 2, theme.focus, 2);
}

}
