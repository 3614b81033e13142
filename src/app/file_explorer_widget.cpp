#include "app/file_explorer_widget.h"

#include "app/archive_browsing.h"
#include "app/command_executor.h"
#include "app/explorer_actions.h"
#include "app/zoom_file.h"
#include "favorites/favourites_file.h"
#include "favorites/locations.h"
#include "favorites/workspace_roots.h"
#include "i18n/translate.h"
#include "model/reread.h"
#include "native_observer/observer_snapshot.h"
#include "places_sidebar/place_resources.h"
#include "places_sidebar/places_sidebar.h"
#include "toolbar/file_toolbar.h"
#include "ui/nav_shell.h"
#include "ui/scrollable.h"
#include "views/file_view.h"

namespace files::app {

ExplorerEnvironment desktop_environment()
{
    ExplorerEnvironment environment;
    environment.config_folder = favorites::config_folder();
    environment.home_folder = favorites::home_folder();
    environment.workspace_roots = favorites::workspace_roots(environment.home_folder);
    environment.start_location = favorites::start_location(environment.workspace_roots, environment.home_folder);
    environment.place_context = { environment.home_folder, services::UserDirs::for_current_user() };
    return environment;
}

FileExplorerWidget::FileExplorerWidget(ExplorerEnvironment environment)
    : m_rename_input("files.rename_input", i18n::translate("files-new-name-placeholder"))
    , m_retry("files.retry", i18n::translate("files-try-again"), ui::ButtonStyle::Emphasised)
    , m_spinner(i18n::translate("files-loading"))
{
    m_state.config_folder = std::move(environment.config_folder);
    m_state.home_folder = std::move(environment.home_folder);
    m_state.workspace_roots = std::move(environment.workspace_roots);
    m_state.place_context = std::move(environment.place_context);
    m_state.is_live = environment.live;
    m_state.current_path = environment.start_location;
    m_state.favourites = favorites::load_favourites(m_state.config_folder, m_state.place_context);
    m_state.system_places = favorites::system_places(favorites::trash_files_folder());
    m_hooks.list_archive = list_archive_location;

    // The first read shows what it can; a failure leaves the folder empty
    // without an error state, as the start location may simply be missing.
    if (auto entries = read_location(m_state, m_state.current_path))
        m_state.entries = std::move(*entries);
    m_state.zoom_level = read_zoom_level(m_state.config_folder);
    m_state.next_refresh_at = ui::Clock::now() + model::refresh_interval(0);

    m_toolbar = std::make_unique<toolbar::FileToolbar>(m_state.workspace_roots, m_state.home_folder);
    auto sidebar = std::make_unique<places_sidebar::PlacesSidebar>(m_state.favourites, m_state.system_places);
    m_sidebar = sidebar.get();
    auto file_view = std::make_unique<views::FileView>(m_state.selection);
    m_drop_targets = std::make_shared<std::vector<views::DropTarget>>();
    // The service creates its cache folder on first use and keeps results in
    // memory when it cannot, so the temporary folder is only the fallback for
    // a missing configuration folder.
    m_thumbnails = services::ThumbnailService::create(m_state.config_folder
            ? *m_state.config_folder / "thumbnails"
            : std::filesystem::temp_directory_path() / "kesu-file-explorer-thumbnails");
    file_view->set_thumbnails(m_thumbnails);
    m_editor_cell = std::make_shared<std::optional<ui::Rect>>();
    file_view->set_editor_cell(m_editor_cell);
    file_view->set_drop_targets(m_drop_targets);
    m_file_view = file_view.get();
    auto scroll = std::make_unique<ui::Scrollable>(std::move(file_view));
    scroll->with_persisted_offset(m_state.scroll_offset);
    m_scroll = scroll.get();
    m_shell = ui::NavShell::sidebar_over_content(std::move(sidebar), std::move(scroll), 640);
}

FileExplorerWidget::~FileExplorerWidget() = default;

void FileExplorerWidget::navigate(std::filesystem::path const& path) { app::navigate(m_state, path, m_hooks); }
void FileExplorerWidget::back() { go_back(m_state, m_hooks); }
void FileExplorerWidget::forward() { go_forward(m_state, m_hooks); }
void FileExplorerWidget::up() { go_up(m_state, m_hooks); }
void FileExplorerWidget::reload() { app::reload(m_state, m_hooks); }
void FileExplorerWidget::set_notice(std::string text) { app::set_notice(m_state, std::move(text)); }
void FileExplorerWidget::pin_status(bool pinned) { m_bubble.set_pinned(pinned); }

void FileExplorerWidget::sync(ui::FrameContext const& frame)
{
    m_now = frame.now;
    m_text_scale = frame.text_scale;
    m_bubble.set_reduced_motion(frame.reduced_motion);
    if (frame.now >= m_state.next_refresh_at) {
        m_state.next_refresh_at = frame.now + model::refresh_interval(m_state.entries.size());
        (void)m_state.record_index.poll(m_state.workspace_roots);
        if (!m_state.inline_rename_open && !m_state.drag_under_way && reread(m_state))
            set_needs_redraw();
    }
    sync_rename_input();
    m_retry.sync(frame);
    m_spinner.sync(frame);
    m_toolbar->sync(frame);
    m_shell->sync(frame);
    m_menu.sync(frame);
}

// The open menu's items, like every control, are published from the
// accessibility tree as control resources.
std::vector<ui::Resource> FileExplorerWidget::resources() const { return explorer_resources(m_state); }

std::vector<ui::SearchCatalog> FileExplorerWidget::search_catalogs() const
{
    return { places_sidebar::places_search_catalog(
        favorites::sidebar_places(m_state.favourites, m_state.system_places)) };
}

ui::InvokeResult FileExplorerWidget::invoke(ui::ActionInvocation const& invocation)
{
    ui::InvokeResult result = ui::InvokeResult::not_handled();
    if (invocation.action_id == ui::control_invoke_action) {
        result = m_menu.invoke(invocation);
        if (!result.is_not_handled())
            take_menu_choice();
        if (result.is_not_handled())
            result = m_retry.invoke(invocation);
        if (result.is_not_handled())
            result = m_toolbar->invoke(invocation);
        if (result.is_not_handled())
            result = m_shell->invoke(invocation);
    } else {
        result = invoke_action(m_state, m_hooks, invocation);
    }
    if (!result.is_not_handled()) {
        drain_messages();
        m_state.redraw = true;
        set_needs_layout();
        set_needs_redraw();
    }
    return result;
}

ui::StartEffectResult FileExplorerWidget::start_effect(ui::ActionInvocation const& invocation, ui::InvocationId const&)
{
    if (m_state.effect_in_flight)
        return ui::StartEffectResult::failed("another file operation is still running");
    if (invocation.action_id == "files.remote-dav")
        return ui::StartEffectResult::failed("remote account is no longer available");
    auto result = invoke(invocation);
    if (result.is_not_handled())
        return ui::StartEffectResult::not_handled();
    return ui::StartEffectResult::immediately(result);
}

std::optional<ui::EffectResult> FileExplorerWidget::take_effect_result(ui::InvocationId const&) { return std::nullopt; }

std::optional<ui::ControlInvocation> FileExplorerWidget::take_control_invocation()
{
    if (auto invocation = m_retry.take_control_invocation())
        return invocation;
    if (auto invocation = m_toolbar->take_control_invocation())
        return invocation;
    return m_shell->take_control_invocation();
}

bool FileExplorerWidget::needs_idle_sync() const { return m_shell->needs_idle_sync(); }

bool FileExplorerWidget::needs_animation_frame() const
{
    return m_state.loading || m_shell->needs_animation_frame() || m_bubble.needs_animation_frame(ui::Clock::now());
}

std::optional<ui::Clock::time_point> FileExplorerWidget::next_wake_deadline() const
{
    auto deadline = ui::earliest(m_state.next_refresh_at, m_shell->next_wake_deadline());
    return ui::earliest(deadline, m_bubble.next_wake_deadline(ui::Clock::now()));
}

std::optional<std::string> FileExplorerWidget::observer_snapshot() const
{
    native_observer::SnapshotInput input { m_state.current_path, m_state.entries, m_state.selection };
    input.loading = m_state.loading;
    input.thumbnail_pending = m_thumbnails ? std::optional(m_thumbnails->pending()) : std::nullopt;
    input.has_error = m_state.load_error.has_value();
    input.offset = { m_state.scroll_offset->x, m_state.scroll_offset->y };
    input.last_cursor = m_state.last_cursor;
    input.root_rect = m_state.root_rect;
    input.viewport_rect = m_state.viewport_rect;
    input.content_rect = m_state.content_rect;
    input.view_mode = m_state.view_mode;
    input.sort_key = m_state.sort_key;
    input.sort_descending = m_state.sort_descending;
    return native_observer::observer_snapshot(input);
}

}
