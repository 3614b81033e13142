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
    auto dragged = std::move(m_state.dragged_paths);
    bool const armed = m_state.drag_armed;
    m_state.drag_under_way = false;
    m_state.drag_armed = false;
    m_state.dragged_paths.clear();
    if (m_state.drag_outside) {
        m_state.drag_outside = false;
        ui::desktop().start_file_drag(dragged);
        return;
    }
    update_drop_target(point);
    auto target = std::move(m_state.drop_target);
    m_state.drop_target.reset();
    if (!target) {
        std::error_code ec;
        bool const over_sidebar = m_shell->sidebar_rect().contains(point) && !m_shell->sidebar_rect().is_empty();
        if (over_sidebar && armed && dragged.size() == 1 && std::filesystem::is_directory(dragged.front(), ec)) {
            if (favorites::add_favourite(m_state.favourites, dragged.front(), m_state.place_context)
                == favorites::FavouriteChange::Changed)
                (void)favorites::save_favourites(m_state.config_folder, m_state.favourites);
        }
        return;
    }
    drop_on_folder(m_state, std::move(dragged), *target);
}

void FileExplorerWidget::draw_drag_image(ui::Painter& painter)
{
    if (!m_state.drag_under_way || m_state.dragged_paths.empty() || m_state.drag_outside)
        return;
    auto const& theme = painter.theme();
    auto const& first = m_state.dragged_paths.front();
    std::error_code ec;
    bool const folder = std::filesystem::is_directory(first, ec);
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
