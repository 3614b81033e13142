// Arrangements for screenshot scenes: the states a scene shows, reached
// through the same code paths as the user's own presses, drags and keys.

#include "app/command_executor.h"
#include "app/file_explorer_widget.h"
#include "places_sidebar/places_sidebar.h"
#include "ui/nav_shell.h"

namespace files::app {

void FileExplorerWidget::begin_rename_at(std::size_t index)
{
    if (index >= m_state.entries.size())
        return;
    m_state.selection.select_only(index);
    begin_rename(m_state);
    m_state.redraw = true;
    set_needs_layout();
}

std::optional<ui::Rect> FileExplorerWidget::sidebar_row(std::size_t row) const
{
    auto const& rows = m_sidebar->geometry().rows;
    if (row >= rows.size())
        return std::nullopt;
    return rows[row];
}

bool FileExplorerWidget::begin_entry_drag_over(std::filesystem::path const& path, ui::Point pointer)
{
    std::optional<std::size_t> index;
    for (std::size_t i = 0; i < m_state.entries.size() && !index; ++i) {
        if (model::same_path(m_state.entries[i].path, path.native()))
            index = i;
    }
    if (!index)
        return false;
    begin_drag(*index, m_state.entries[*index].path);
    if (!m_state.drag_under_way)
        return false;
    // The move that carries the drag to the pointer finds the drop target
    // the way a real pointer move does.
    (void)handle_event(ui::PointerMoved { pointer, {} });
    return true;
}

bool FileExplorerWidget::begin_favourite_reorder(std::size_t from, std::size_t over)
{
    auto const& geometry = m_sidebar->geometry();
    if (!geometry.is_favourite(from) || !geometry.is_favourite(over))
        return false;
    auto grab = geometry.rows[from].center();
    auto hold = geometry.rows[over].center();
    (void)handle_event(ui::PointerPressed { grab, ui::PointerButton::Primary, {}, 1 });
    (void)handle_event(ui::PointerMoved { hold, {} });
    return m_sidebar->drag().has_value() && m_sidebar->drag()->lifted;
}

void FileExplorerWidget::snap_sidebar_into_view()
{
    m_shell->snap_sidebar_shown();
    set_needs_layout();
}

}
