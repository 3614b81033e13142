#include "app/file_explorer_widget.h"

#include "app/archive_browsing.h"
#include "app/zoom_file.h"
#include "model/reread.h"
#include "native_observer/observer_snapshot.h"

namespace files::app {

FileExplorerWidget::FileExplorerWidget(ExplorerEnvironment environment)
{
    m_state.config_folder = std::move(environment.config_folder);
    m_state.home_folder = std::move(environment.home_folder);
    m_state.workspace_roots = std::move(environment.workspace_roots);
    m_state.is_live = environment.live;
    m_state.current_path = environment.start_location;
    m_hooks.list_archive = list_archive_location;

    // The first read shows what it can; a failure leaves the folder empty
    // without an error state, as the start location may simply be missing.
    if (auto entries = read_location(m_state, m_state.current_path))
        m_state.entries = std::move(*entries);
    m_state.zoom_level = read_zoom_level(m_state.config_folder);
    m_state.next_refresh_at = ui::Clock::now() + model::refresh_interval(0);
}

void FileExplorerWidget::navigate(std::filesystem::path const& path) { app::navigate(m_state, path, m_hooks); }
void FileExplorerWidget::back() { go_back(m_state, m_hooks); }
void FileExplorerWidget::forward() { go_forward(m_state, m_hooks); }
void FileExplorerWidget::up() { go_up(m_state, m_hooks); }
void FileExplorerWidget::reload() { app::reload(m_state, m_hooks); }
void FileExplorerWidget::set_notice(std::string text) { app::set_notice(m_state, std::move(text)); }

void FileExplorerWidget::sync(ui::FrameContext const& frame)
{
    if (frame.now < m_state.next_refresh_at)
        return;
    m_state.next_refresh_at = frame.now + model::refresh_interval(m_state.entries.size());
    if (!m_state.inline_rename_open && !m_state.drag_under_way && reread(m_state))
        set_needs_redraw();
}

void FileExplorerWidget::build_layout(ui::Rect bounds, ui::LayoutContext&)
{
    m_bounds = bounds;
    m_state.root_rect = bounds;
    layout_content(bounds);
    set_needs_layout(false);
}

void FileExplorerWidget::apply_layout(ui::Rect bounds)
{
    m_bounds = bounds;
    m_state.root_rect = bounds;
}

void FileExplorerWidget::layout_content(ui::Rect content)
{
    // Until the file view takes this place the whole root is its viewport.
    m_state.viewport_rect = content;
    m_state.content_rect = content;
}

void FileExplorerWidget::draw(ui::Painter&) { m_state.redraw = false; }

ui::EventResult FileExplorerWidget::handle_event(ui::Event const& event)
{
    if (auto position = ui::event_position(event))
        m_state.last_cursor = *position;
    return ui::EventResult::Ignored;
}

ui::AccessNode FileExplorerWidget::accessibility() const
{
    ui::AccessNode root("files-root", ui::AccessRole::Window, "Files");
    root.bounds = m_bounds;
    return root;
}

std::optional<std::string> FileExplorerWidget::observer_snapshot() const
{
    native_observer::SnapshotInput input { m_state.current_path, m_state.entries, m_state.selection };
    input.loading = m_state.loading;
    input.has_error = m_state.load_error.has_value();
    input.offset = { m_state.scroll_offset->x, m_state.scroll_offset->y };
    input.last_cursor = m_state.last_cursor;
    input.root_rect = m_state.root_rect;
    input.viewport_rect = m_state.viewport_rect;
    input.content_rect = m_state.content_rect;
    input.view_mode = m_state.view_mode == ViewMode::Grid ? native_observer::ViewModeName::Grid
                                                          : native_observer::ViewModeName::List;
    input.sort_key = m_state.sort_key;
    input.sort_descending = m_state.sort_descending;
    return native_observer::observer_snapshot(input);
}

}
