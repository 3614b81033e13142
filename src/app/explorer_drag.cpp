// Dragging entries: onto a folder row or tile (a move), onto the sidebar (pin
// a folder), or out of the window (an inter-application drag of the files).

#include "app/command_executor.h"
#include "app/file_explorer_widget.h"
#include "favorites/favourites_file.h"
#include "i18n/translate.h"
#include "model/display_name.h"
#include "places_sidebar/places_sidebar.h"
#include "ui/desktop.h"
#include "ui/icons.h"
#include "ui/nav_shell.h"
#include "ui/painter.h"
#include "ui/scrollable.h"
#include "views/file_view.h"

namespace files::app {

void FileExplorerWidget::begin_drag(std::size_t index, std::string const& path)
{
    if (!pass_read_only_guard(m_state, FileCommand::ArmDrag))
        return;
    m_state.drag_under_way = true;
    m_state.drag_armed = true;
    m_state.drag_outside = false;
    // Dragging a selected entry carries the whole selection; any other entry
    // goes alone.
    m_state.dragged_paths
        = m_state.selection.is_selected(index) ? m_state.selected_paths() : std::vector<std::filesystem::path> { path };
    std::error_code ec;
    m_state.drag_first_is_folder
        = !m_state.dragged_paths.empty() && std::filesystem::is_directory(m_state.dragged_paths.front(), ec);
    m_state.drop_target.reset();
}

void FileExplorerWidget::update_drop_target(ui::Point point)
{
    m_state.drop_target.reset();
    if (m_state.drag_outside)
        return;
    if (m_drop_targets && m_scroll->bounds().contains(point)) {
        // Targets are published in the file view's scrolled coordinates.
        ui::Point content { point.x, point.y + m_state.scroll_offset->y };
        for (auto const& target : *m_drop_targets) {
            if (target.rect.contains(content)) {
                m_state.drop_target = std::filesystem::path(target.path);
                return;
            }
        }
    }
    if (m_shell->sidebar_rect().contains(point)) {
        auto const& geometry = m_sidebar->geometry();
        if (auto row = geometry.row_at(point)) {
            auto places = favorites::sidebar_places(m_state.favourites, m_state.system_places);
            if (*row < places.size())
                m_state.drop_target = places[*row].path;
        }
    }
}

void FileExplorerWidget::drop(ui::Point point)
{
    bool const outside = m_state.drag_outside;
    if (!outside)
        update_drop_target(point);
    bool const pin = !outside && drop_would_pin(point);
    auto dragged = std::move(m_state.dragged_paths);
    auto target = std::move(m_state.drop_target);
    m_state.drag_under_way = false;
    m_state.drag_armed = false;
    m_state.drag_outside = false;
    m_state.dragged_paths.clear();
    m_state.drop_target.reset();
    if (outside) {
        ui::desktop().start_file_drag(dragged);
        return;
    }
    if (target) {
        drop_on_folder(m_state, std::move(dragged), *target);
        return;
    }
    if (pin
        && favorites::add_favourite(m_state.favourites, dragged.front(), m_state.place_context)
            == favorites::FavouriteChange::Changed)
        (void)favorites::save_favourites(m_state.config_folder, m_state.favourites);
}

bool FileExplorerWidget::drop_would_pin(ui::Point point) const
{
    return !m_state.drop_target && m_state.drag_armed && m_state.dragged_paths.size() == 1
        && m_state.drag_first_is_folder && !m_shell->sidebar_rect().is_empty()
        && m_shell->sidebar_rect().contains(point);
}

std::optional<ui::Rect> FileExplorerWidget::drop_target_rect() const
{
    if (!m_state.drop_target)
        return std::nullopt;
    auto const target = m_state.drop_target->native();
    if (m_drop_targets && m_scroll->bounds().contains(m_state.last_cursor)) {
        for (auto const& candidate : *m_drop_targets) {
            if (model::same_path(candidate.path, target))
                return candidate.rect.translated(0, -m_state.scroll_offset->y);
        }
    }
    if (auto row = m_sidebar->geometry().row_at(m_state.last_cursor))
        return m_sidebar->geometry().rows[*row];
    return std::nullopt;
}

void FileExplorerWidget::draw_drop_feedback(ui::Painter& painter)
{
    auto const& theme = painter.theme();
    if (auto rect = drop_target_rect()) {
        // The folder or place that would receive the files.
        auto clip
            = m_shell->sidebar_rect().contains(m_state.last_cursor) ? m_shell->sidebar_rect() : m_scroll->bounds();
        painter.push_clip(clip);
        painter.fill_rounded_rect(*rect, 8, theme.accent.with_alpha(0.14));
        painter.stroke_rounded_rect(rect->inset(1, 1), 7, theme.accent, 2);
        painter.pop_clip();
    } else if (drop_would_pin(m_state.last_cursor)) {
        // Dropped here the folder becomes a favourite.
        auto area = m_shell->sidebar_rect().inset(6, 6);
        painter.fill_rounded_rect(area, 10, theme.accent.with_alpha(0.08));
        painter.stroke_rounded_rect(area, 10, theme.accent, 2);
    }
}

void FileExplorerWidget::draw_drag_image(ui::Painter& painter)
{
    if (!m_state.drag_under_way || m_state.dragged_paths.empty() || m_state.drag_outside)
        return;
    draw_drop_feedback(painter);
    auto const& theme = painter.theme();
    auto const& first = m_state.dragged_paths.front();
    bool const folder = m_state.drag_first_is_folder;
    std::string label = m_state.dragged_paths.size() == 1
        ? model::display_name(first.filename().native())
        : i18n::translate_with("files-drag-items", { { "count", m_state.dragged_paths.size() } });
    auto width = std::min(260.0, painter.text().measure(label, ui::Font { 13, ui::FontWeight::Medium }).width + 56);
    auto at = m_state.last_cursor;
    ui::Rect card { at.x + 12, at.y + 8, at.x + 12 + width, at.y + 8 + 40 };
    painter.panel_shadow(card, 10);
    painter.fill_rounded_rect(card, 10, theme.panel);
    auto icon = folder ? ui::Icon::Folder : ui::icon_for_path(first, ui::PathKind::File);
    painter.draw_icon(icon, { card.left + 10, card.top + 8, card.left + 34, card.top + 32 },
        folder ? theme.folder_icon : theme.file_icon);
    painter.draw_text(label, { card.left + 42, card.top, card.right - 10, card.bottom },
        ui::TextStyle {
            ui::Font { 13, ui::FontWeight::Medium }, theme.primary, ui::TextAlign::Start, ui::Ellipsize::Middle });
}

}
