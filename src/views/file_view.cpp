#include "views/file_view.h"

#include "ui/text_renderer.h"
#include "views/detail/draw_context.h"

#include <cmath>
#include <limits>

namespace files::views {

ui::Font label_font(ItemScale scale) { return ui::Font { 13 * scale.z * scale.u, ui::FontWeight::Regular, false }; }

FileView::FileView(ui::SelectionModel& selection)
    : m_selection(selection)
{
}

FileView::~FileView() = default;

void FileView::set_entries(std::span<model::Entry const> entries)
{
    if (entries.data() != m_entries.data() || entries.size() != m_entries.size())
        set_needs_layout();
    m_entries = entries;
    if (m_hover && *m_hover >= m_entries.size())
        m_hover.reset();
    if (m_pending && m_pending->index >= m_entries.size())
        m_pending.reset();
}

void FileView::set_view_mode(ViewMode mode)
{
    if (mode != m_mode)
        set_needs_layout();
    m_mode = mode;
}

void FileView::set_sort(model::SortKey key, bool descending)
{
    m_sort_key = key;
    m_descending = descending;
}

void FileView::set_scale(ItemScale scale)
{
    if (scale.z != m_scale.z || scale.u != m_scale.u) {
        set_needs_layout();
        m_fitted.clear();
        m_line_height.reset();
    }
    m_scale = scale;
    m_grid = grid_metrics(m_bounds.width(), m_scale);
}

void FileView::set_thumbnails(std::shared_ptr<services::ThumbnailService> service)
{
    m_thumbnails = std::move(service);
}

void FileView::set_rename_target(std::optional<std::size_t> index)
{
    m_rename = index;
    // The editor is placed from the laid-out rows, so it can be shown in the
    // same frame as the rename begins.
    if (m_line_height)
        publish_editor_rect(*m_line_height);
}

void FileView::set_editor_cell(std::shared_ptr<EditorCell> cell) { m_editor_cell = std::move(cell); }

void FileView::set_drop_targets(std::shared_ptr<DropTargetList> targets) { m_drop_targets = std::move(targets); }

void FileView::set_visible_clip(std::optional<ui::Rect> clip) { m_clip = clip; }

std::optional<ui::Rect> FileView::visible_clip() const { return m_clip ? m_clip : m_drawn_clip; }

double FileView::content_height() const
{
    switch (m_mode) {
    case ViewMode::List:
        return list_content_height(m_entries.size(), m_scale);
    case ViewMode::Grid:
        return grid_content_height(m_entries.size(), m_grid, m_scale);
    }
    return 0;
}

ui::Size FileView::measure(ui::Size available, ui::LayoutContext&)
{
    switch (m_mode) {
    case ViewMode::List:
        return { available.width, list_content_height(m_entries.size(), m_scale) };
    case ViewMode::Grid: {
        double width = std::isfinite(available.width) ? available.width : grid_preferred_width(m_scale);
        return { width, grid_content_height(m_entries.size(), grid_metrics(width, m_scale), m_scale) };
    }
    }
    return available;
}

void FileView::relayout(ui::Rect bounds)
{
    m_bounds = bounds;
    m_grid = grid_metrics(bounds.width(), m_scale);
}

void FileView::build_layout(ui::Rect bounds, ui::LayoutContext& context)
{
    relayout(bounds);
    if (!m_line_height)
        m_line_height = context.text.measure("Ag", label_font(m_scale)).height;
    publish_editor_rect(*m_line_height);
    set_needs_layout(false);
}

void FileView::apply_layout(ui::Rect bounds) { relayout(bounds); }

std::vector<FileViewMessage> FileView::take_messages() { return std::exchange(m_messages, {}); }

HitContext FileView::hit_context() const
{
    return HitContext { m_mode, m_bounds, visible_clip(), m_entries.size(), m_scale };
}

Hit FileView::hit(ui::Point point) const { return hit_test(point, hit_context()); }

ui::Rect FileView::item_rect(std::size_t index) const
{
    switch (m_mode) {
    case ViewMode::List:
        return list_row_rect(index, m_bounds, m_scale);
    case ViewMode::Grid:
        return grid_tile_rect(index, m_bounds, m_grid, m_scale);
    }
    return {};
}

std::vector<std::pair<std::string, ui::Rect>> FileView::named_item_rects() const
{
    std::vector<std::pair<std::string, ui::Rect>> rects;
    rects.reserve(m_entries.size());
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        rects.emplace_back(m_entries[i].name, item_rect(i));
    return rects;
}

std::optional<std::pair<std::size_t, std::size_t>> FileView::primary_position() const
{
    auto primary = m_selection.primary();
    if (!primary || *primary >= m_entries.size())
        return std::nullopt;
    return std::pair { *primary + 1, m_entries.size() };
}

}
