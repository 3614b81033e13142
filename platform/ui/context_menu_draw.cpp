#include "ui/context_menu.h"
#include "ui/painter.h"

#include <cmath>

namespace ui {

namespace {

    constexpr Font label_font { 13, FontWeight::Regular, false };
    constexpr double panel_radius = 10;
    constexpr double row_inset = 5;
    constexpr double label_inset = 14;
    constexpr double check_column = 30;
    constexpr double glyph_size = 16;

}

void ContextMenu::draw_row(Painter& painter, Level const& level, std::size_t index) const
{
    Theme const& theme = painter.theme();
    MenuItem const& item = level.items[index];
    Rect row = level.rows[index].translated(level.rect.left, level.rect.top - level.scroll);
    double s = scale();
    if (item.is_separator) {
        if (row.height() <= 0)
            return;
        double y = std::round(row.center().y) + 0.5;
        painter.line({ row.left + 10 * s, y }, { row.right - 10 * s, y }, theme.quiet);
        return;
    }
    bool lit = level.highlight == index && item.enabled;
    if (lit)
        painter.fill_rounded_rect(
            row.inset(row_inset * s, 1), 6, level.submenu_item == index ? theme.selection_soft : theme.selection);
    Color text = item.enabled ? theme.primary : theme.muted.with_alpha(0.7);
    double glyph = glyph_size * s;
    double glyph_top = row.center().y - glyph / 2;
    if (item.check == MenuCheck::Checked)
        painter.draw_icon(Icon::Check, Rect::from_xywh(row.left + 9 * s, glyph_top, glyph, glyph),
            item.enabled ? theme.accent : text);
    double left = row.left + (level.has_checks ? check_column : label_inset) * s;
    double right = row.right - label_inset * s;
    if (item.opens_submenu) {
        painter.draw_icon(
            Icon::ChevronRight, Rect::from_xywh(right - glyph + 4 * s, glyph_top, glyph, glyph), theme.muted);
        right -= glyph + 6 * s;
    }
    Font font = label_font;
    font.size *= s;
    painter.draw_text(
        item.label, Rect { left, row.top, right, row.bottom }, { font, text, TextAlign::Start, Ellipsize::End });
}

void ContextMenu::draw_level(Painter& painter, Level const& level) const
{
    Theme const& theme = painter.theme();
    Rect panel = level.rect;
    painter.panel_shadow(panel, panel_radius);
    painter.fill_rounded_rect(panel, panel_radius, theme.surface);
    painter.stroke_rounded_rect(panel.inset(0.5), panel_radius - 0.5, theme.quiet.mixed(Color { 0, 0, 0, 1 }, 0.04));
    painter.push_rounded_clip(panel.inset(1), panel_radius - 1);
    for (std::size_t i = 0; i < level.items.size(); ++i) {
        Rect row = level.rows[i].translated(panel.left, panel.top - level.scroll);
        if (row.intersects(panel))
            draw_row(painter, level, i);
    }
    // A thin bar tells that a level taller than the window scrolls.
    if (level.content_height > panel.height()) {
        double track = panel.height() - 2 * panel_radius;
        double thumb = track * panel.height() / level.content_height;
        double top
            = panel.top + panel_radius + (track - thumb) * level.scroll / (level.content_height - panel.height());
        painter.fill_rounded_rect(Rect::from_xywh(panel.right - 6, top, 3, thumb), 1.5, theme.muted.with_alpha(0.45));
    }
    painter.pop_clip();
}

void ContextMenu::draw_overlay(Painter& painter)
{
    for (auto const& level : m_levels)
        draw_level(painter, level);
}

}
