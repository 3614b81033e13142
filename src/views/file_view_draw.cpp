#include "i18n/translate.h"
#include "ui/painter.h"
#include "views/detail/draw_context.h"
#include "views/file_view.h"

#include <algorithm>
#include <cmath>

#include <cairo.h>

namespace files::views {

namespace {

    constexpr char ascending_marker[] = "\xE2\x96\xB4";
    constexpr char descending_marker[] = "\xE2\x96\xBE";

    // The device clip in the painter's current user space: with the scroll
    // container's translation applied, that is the visible content.
    ui::Rect clip_extents(ui::Painter& painter)
    {
        double x1 = 0;
        double y1 = 0;
        double x2 = 0;
        double y2 = 0;
        cairo_clip_extents(painter.cairo(), &x1, &y1, &x2, &y2);
        return { x1, y1, x2, y2 };
    }

    ui::Font cell_font(ItemScale scale) { return ui::Font { 12 * scale.z * scale.u, ui::FontWeight::Regular, false }; }

    ui::Font header_font(ItemScale scale)
    {
        return ui::Font { 12 * scale.z * scale.u, ui::FontWeight::Semibold, false };
    }

}

void FileView::draw(ui::Painter& painter)
{
    ui::Rect clip = clip_extents(painter).intersected(m_bounds);
    if (m_clip)
        clip = m_clip->intersected(m_bounds);
    m_drawn_clip = clip;
    if (m_drop_targets)
        m_drop_targets->clear();

    DrawContext context;
    context.clip = clip;
    context.theme = &painter.theme();
    context.label_font = label_font(m_scale);
    context.cell_font = cell_font(m_scale);
    if (!m_line_height)
        m_line_height = painter.text().measure("Ag", context.label_font).height;
    context.line_height = *m_line_height;
    context.range = visible_range(hit_context(), clip);
    context.columns = list_columns(m_bounds, m_scale);

    painter.fill_rect(clip, painter.theme().surface);
    switch (m_mode) {
    case ViewMode::List:
        draw_list(painter, context);
        break;
    case ViewMode::Grid:
        draw_grid(painter, context);
        break;
    }
    publish_editor_rect(context.line_height);
}

void FileView::draw_list(ui::Painter& painter, DrawContext const& context)
{
    for (std::size_t i = context.range.first; i < context.range.last; ++i)
        draw_list_row(painter, context, i);
    draw_focus(painter, context);
    draw_list_header(painter, context);
}

void FileView::draw_list_header(ui::Painter& painter, DrawContext const& context)
{
    ui::Theme const& theme = *context.theme;
    double top = list_header_top(m_bounds, context.clip);
    ui::Rect header { m_bounds.left, top, m_bounds.right, top + list_header_height(m_scale) };
    painter.fill_rect(header, theme.surface);

    ui::Font font = header_font(m_scale);
    ui::TextStyle style { font, theme.muted, ui::TextAlign::Start, ui::Ellipsize::End };
    auto draw_column = [&](ColumnSpan span, model::SortKey key, char const* label_id) {
        std::string label = i18n::translate(label_id);
        ui::Rect rect { span.left, header.top, span.right, header.bottom };
        painter.draw_text(label, rect, style);
        if (key != m_sort_key)
            return;
        double label_width = std::min(painter.text().measure(label, font).width, span.right - span.left);
        ui::Rect marker { span.left + label_width + 4, header.top, span.right + 20, header.bottom };
        painter.draw_text(m_descending ? descending_marker : ascending_marker, marker,
            { font, theme.primary, ui::TextAlign::Start, ui::Ellipsize::None });
    };
    draw_column(context.columns.name, model::SortKey::Name, "files-column-name");
    if (context.columns.size)
        draw_column(*context.columns.size, model::SortKey::Size, "files-column-size");
    if (context.columns.modified)
        draw_column(*context.columns.modified, model::SortKey::Modified, "files-column-modified");

    double inset = 10 * m_scale.z;
    double y = header.bottom - 0.5;
    painter.line({ header.left + inset, y }, { header.right - inset, y }, theme.quiet);
}

void FileView::draw_item_background(ui::Painter& painter, std::size_t index, ui::Rect rect)
{
    ui::Theme const& theme = painter.theme();
    double radius = std::min(std::min(rect.width(), rect.height()) / 2, 8.0);
    if (m_selection.is_selected(index))
        painter.fill_rounded_rect(rect, radius, has_focus() ? theme.selection_strong : theme.selection);
    else if (m_hover == index)
        painter.fill_rounded_rect(rect, radius, theme.selection_soft);
}

void FileView::draw_focus(ui::Painter& painter, DrawContext const& context)
{
    auto primary = m_selection.primary();
    if (!has_focus() || !primary || *primary >= m_entries.size())
        return;
    ui::Rect item = item_rect(*primary);
    if (m_mode == ViewMode::List)
        item = item.inset(8, 2);
    ui::Rect near_clip { context.clip.left - 4, context.clip.top - 4, context.clip.right + 4, context.clip.bottom + 4 };
    if (!item.intersects(near_clip))
        return;
    double radius = std::min(std::min(item.width(), item.height()) / 2, 8.0);
    painter.stroke_rounded_rect(item, radius, context.theme->focus, 2);
}

void FileView::publish_editor_rect(double line_height)
{
    if (!m_editor_cell)
        return;
    if (!m_rename || *m_rename >= m_entries.size()) {
        m_editor_cell->reset();
        return;
    }
    std::size_t index = *m_rename;
    switch (m_mode) {
    case ViewMode::List: {
        ui::Rect row = list_row_rect(index, m_bounds, m_scale);
        ListColumns columns = list_columns(m_bounds, m_scale);
        ui::Rect label = list_label_rect(row, list_icon_rect(row, columns, m_scale), columns);
        *m_editor_cell = list_editor_rect(row, label, columns, editor_text_inset);
        break;
    }
    case ViewMode::Grid: {
        ui::Rect tile = grid_tile_rect(index, m_bounds, m_grid, m_scale);
        GridTileParts parts = grid_tile_parts(tile, m_entries[index].is_dir, line_height, m_scale);
        *m_editor_cell = grid_editor_rect(tile, parts.label);
        break;
    }
    }
}

}
