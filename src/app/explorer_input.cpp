// Input: the modal sheet first, then the error state, the children, and the
// explorer's own keyboard map; afterwards every child's messages are applied.

#include "app/command_executor.h"
#include "app/explorer_actions.h"
#include "app/file_explorer_widget.h"
#include "app/status_text.h"
#include "app/window_geometry.h"
#include "favorites/favourites_file.h"
#include "favorites/locations.h"
#include "favorites/typed_path.h"
#include "i18n/translate.h"
#include "places_sidebar/places_sidebar.h"
#include "toolbar/file_toolbar.h"
#include "ui/desktop.h"
#include "ui/nav_shell.h"
#include "ui/scrollable.h"
#include "views/file_view.h"

namespace files::app {

namespace {

    template<typename... Ts> struct Overloaded : Ts... {
        using Ts::operator()...;
    };
    template<typename... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

    bool is_primary_release(ui::Event const& event)
    {
        auto const* released = std::get_if<ui::PointerReleased>(&event);
        return released && released->button == ui::PointerButton::Primary;
    }

    bool text_is(ui::KeyPressed const& key, char lower)
    {
        return key.text.size() == 1 && (key.text[0] == lower || key.text[0] == lower - 'a' + 'A');
    }

}

ui::EventResult FileExplorerWidget::handle_event(ui::Event const& event)
{
    if (auto position = ui::event_position(event))
        m_state.last_cursor = *position;

    auto result = ui::EventResult::Ignored;
    if (m_state.drag_under_way) {
        if (std::holds_alternative<ui::PointerLeft>(event))
            m_state.drag_outside = true;
        if (auto const* moved = std::get_if<ui::PointerMoved>(&event)) {
            m_state.drag_outside = !m_bounds.contains(moved->position);
            update_drop_target(moved->position);
            m_state.redraw = true;
        }
    }
    bool const menu_was_open = m_menu.is_open();
    if (std::holds_alternative<ui::PointerReleased>(event) && handle_menu_event(event) == ui::EventResult::Handled) {
        // The release of the click that chose a menu item is the menu's, also
        // when the item opened a sheet.
        result = ui::EventResult::Handled;
    } else if (m_state.sheet) {
        result = handle_sheet_event(event);
    } else if (m_state.inline_rename_open && std::holds_alternative<ui::KeyPressed>(event)) {
        result = handle_rename_event(event);
    } else if (m_state.inline_rename_open && std::holds_alternative<ui::PointerPressed>(event)
        && m_rename_input.bounds().contains(*ui::event_position(event))) {
        result = handle_rename_event(event);
    } else if (m_state.drag_under_way && is_primary_release(event)) {
        drop(std::get<ui::PointerReleased>(event).position);
        result = ui::EventResult::Handled;
    } else if (m_state.drag_under_way && std::holds_alternative<ui::PointerMoved>(event)) {
        result = ui::EventResult::Handled;
    } else if (m_menu.is_open() && handle_menu_event(event) == ui::EventResult::Handled) {
        // An open menu is modal; a secondary press outside it closes it and
        // goes on below, where it may open a new menu.
        result = ui::EventResult::Handled;
    } else if (m_state.load_error && m_retry.handle_event(event) == ui::EventResult::Handled) {
        result = ui::EventResult::Handled;
    } else if (std::holds_alternative<ui::PointerMoved>(event) || std::holds_alternative<ui::PointerLeft>(event)) {
        // Every child follows the pointer (hover, presses in progress), so
        // one that reacts must not hide the move from the others.
        bool const toolbar = m_toolbar->handle_event(event) == ui::EventResult::Handled;
        bool const shell = m_shell->handle_event(event) == ui::EventResult::Handled;
        if (toolbar || shell)
            result = ui::EventResult::Handled;
    } else if (m_toolbar->handle_event(event) == ui::EventResult::Handled
        || m_shell->handle_event(event) == ui::EventResult::Handled) {
        result = ui::EventResult::Handled;
    } else if (auto const* press = std::get_if<ui::PointerPressed>(&event); press
               && press->button == ui::PointerButton::Secondary && m_state.viewport_rect
               && m_state.viewport_rect->contains(press->position)) {
        // The folder background below the last entry.
        open_context_menu(press->position);
        result = ui::EventResult::Handled;
    } else if (auto const* key = std::get_if<ui::KeyPressed>(&event); key && !key->composing) {
        result = handle_key(*key);
    }
    if (menu_was_open && !m_menu.is_open()) {
        // The children saw no pointer moves while the menu was up.
        m_toolbar->handle_event(ui::PointerMoved { m_state.last_cursor, {} });
        m_shell->handle_event(ui::PointerMoved { m_state.last_cursor, {} });
    }
    if (m_retry.take_control_invocation())
        reload();
    // A menu asked for with the keyboard starts with its first item highlighted.
    m_menu_from_keyboard = std::holds_alternative<ui::KeyPressed>(event);
    drain_messages();
    m_menu_from_keyboard = false;
    if (result == ui::EventResult::Handled || m_state.redraw) {
        set_needs_layout();
        set_needs_redraw();
    }
    return result;
}

ui::EventResult FileExplorerWidget::handle_sheet_event(ui::Event const& event)
{
    auto rect = sheet_rect(m_bounds, m_state.sheet->detail_lines.size(), m_state.sheet->confirm.has_value());
    if (is_primary_release(event)) {
        auto point = std::get<ui::PointerReleased>(event).position;
        if (m_state.sheet->confirm && sheet_confirm_rect(rect).contains(point))
            confirm_sheet();
        else if (sheet_close_zone(rect).contains(point) || !rect.contains(point))
            m_state.sheet.reset();
    } else if (auto const* key = std::get_if<ui::KeyPressed>(&event)) {
        if (key->is(ui::Key::Escape))
            m_state.sheet.reset();
        else if (key->is(ui::Key::Enter) && m_state.sheet->confirm)
            confirm_sheet();
    }
    m_state.redraw = true;
    return ui::EventResult::Handled;
}

void FileExplorerWidget::confirm_sheet() { app::confirm_sheet(m_state); }

ui::EventResult FileExplorerWidget::handle_key(ui::KeyPressed const& key)
{
    if (m_state.load_error && !key.composing && (key.is(ui::Key::Enter) || key.is(ui::Key::Space))) {
        reload();
        return ui::EventResult::Handled;
    }
    bool const primary = key.modifiers.primary();
    bool const shift = key.modifiers.shift;
    if (key.is(ui::Key::Menu) || (shift && key.is(ui::Key::F10)))
        open_keyboard_context_menu();
    else if (key.is(ui::Key::Enter))
        open_primary();
    else if (key.is(ui::Key::Down))
        move_primary(1, shift, false);
    else if (key.is(ui::Key::Up))
        move_primary(-1, shift, false);
    else if (key.is(ui::Key::Home))
        move_primary(0, shift, true);
    else if (key.is(ui::Key::End))
        move_primary(-1, shift, true);
    else if (key.is(ui::Key::Backspace))
        up();
    else if (key.is(ui::Key::Delete)) {
        if (!m_state.selection.empty())
            trash_selection(m_state);
    } else if (key.is(ui::Key::Escape) && !m_state.selection.empty())
        m_state.selection.clear();
    else if (key.is(ui::Key::F1) || key.text == "?")
        m_state.sheet = keyboard_shortcuts_sheet();
    else if (key.is(ui::Key::F5))
        reload();
    else if (key.is(ui::Key::F2))
        begin_rename(m_state);
    else if (primary && shift && text_is(key, 'n'))
        new_folder_here(m_state, {});
    else if (primary && text_is(key, 'l'))
        m_toolbar->path_bar().begin_edit();
    else if (primary && text_is(key, 'a'))
        m_state.selection.select_all(m_state.entries.size());
    else if (primary && text_is(key, 'c'))
        copy_selection(m_state);
    else if (primary && text_is(key, 'x'))
        cut_selection(m_state);
    else if (primary && text_is(key, 'v'))
        (void)paste_clipboard_here(m_state);
    else if (primary && text_is(key, 'z'))
        undo_trash(m_state);
    else if (primary && text_is(key, 'h'))
        toggle_hidden(m_state, m_hooks);
    else if (primary && key.text == "0")
        set_zoom(m_state, 0);
    else if (primary && (key.text == "+" || key.text == "="))
        set_zoom(m_state, m_state.zoom_level + 1);
    else if (primary && (key.text == "-" || key.text == "_"))
        set_zoom(m_state, m_state.zoom_level - 1);
    else
        return ui::EventResult::Ignored;
    m_state.redraw = true;
    return ui::EventResult::Handled;
}

void FileExplorerWidget::open_primary()
{
    auto primary = m_state.selection.primary();
    if (!primary || *primary >= m_state.entries.size())
        return;
    auto const entry = m_state.entries[*primary];
    open_path(m_state, m_hooks, entry.path, entry.is_dir);
}

void FileExplorerWidget::move_primary(std::ptrdiff_t step, bool extend, bool absolute)
{
    auto const count = static_cast<std::ptrdiff_t>(m_state.entries.size());
    if (count == 0)
        return;
    std::ptrdiff_t target = 0;
    if (absolute)
        target = step < 0 ? count - 1 : 0;
    else if (auto primary = m_state.selection.primary())
        target = std::clamp(static_cast<std::ptrdiff_t>(*primary) + step, std::ptrdiff_t { 0 }, count - 1);
    m_state.selection.move_to(
        static_cast<std::size_t>(target), extend ? ui::MoveSelect::Extend : ui::MoveSelect::Replace);
}

void FileExplorerWidget::drain_messages()
{
    for (auto const& message : m_toolbar->take_messages()) {
        std::visit(Overloaded {
                       [&](toolbar::GoBack const&) { back(); },
                       [&](toolbar::GoForward const&) { forward(); },
                       [&](toolbar::GoUp const&) { up(); },
                       [&](toolbar::SetViewMode const& set) { m_state.view_mode = set.mode; },
                       [&](toolbar::OpenSortMenu const&) { open_sort_menu(); },
                       [&](toolbar::OpenViewMenu const&) { open_view_menu(); },
                       [&](toolbar::ExtractArchive const&) { extract_browsed(m_state); },
                       [&](path_bar::NavigateToPath const& go) { navigate(go.path); },
                       [&](path_bar::NavigateToText const& go) {
                           navigate(favorites::resolve_typed_path(m_state.current_path, go.text, m_state.home_folder));
                       },
                   },
            message);
        m_state.redraw = true;
    }
    for (auto const& message : m_sidebar->take_messages()) {
        std::visit(Overloaded {
                       [&](places_sidebar::NavigateToPlace const& go) { navigate(go.path); },
                       [&](places_sidebar::MoveFavourite const& move) {
                           if (favorites::move_favourite(m_state.favourites, move.from, move.to)
                               == favorites::FavouriteChange::Changed)
                               (void)favorites::save_favourites(m_state.config_folder, m_state.favourites);
                       },
                       [&](places_sidebar::FavouriteContextMenu const& menu) {
                           open_favourite_menu(menu.path, favourite_menu_anchor(menu.path));
                       },
                   },
            message);
        m_state.redraw = true;
    }
    for (auto const& message : m_file_view->take_messages()) {
        std::visit(Overloaded {
                       [&](views::EntryClicked const& click) {
                           if (!click.index) {
                               m_state.selection.clear();
                               m_state.last_click.reset();
                               return;
                           }
                           auto now = ui::Clock::now();
                           auto interval = ui::desktop().double_click_interval();
                           if (m_state.last_click && m_state.last_click->first == *click.index
                               && now - m_state.last_click->second < interval) {
                               m_state.last_click.reset();
                               auto const entry = m_state.entries[*click.index];
                               open_path(m_state, m_hooks, entry.path, entry.is_dir);
                               return;
                           }
                           m_state.last_click = { *click.index, now };
                       },
                       [&](views::SelectIndex const& select) { m_state.selection.select_only(select.index); },
                       [&](views::HeaderSortClicked const& sort) {
                           if (sort.key == m_state.sort_key)
                               set_sort_descending(m_state, !m_state.sort_descending);
                           else
                               set_sort_key(m_state, sort.key);
                       },
                       [&](views::ContextMenuRequested const& menu) { open_context_menu(menu.position); },
                       [&](views::BeginDrag const& drag) { begin_drag(drag.index, drag.path); },
                       [&](views::RedrawNeeded const&) {},
                   },
            message);
        m_state.redraw = true;
    }
}

bool FileExplorerWidget::dispatch_control_invocation(std::string const&) { return false; }

ui::AccessNode FileExplorerWidget::accessibility() const
{
    if (m_state.sheet) {
        auto const& sheet = *m_state.sheet;
        ui::AccessNode dialog("files-sheet", ui::AccessRole::Dialog, sheet.title);
        dialog.description = i18n::translate_with("files-a11y-dialog-close", { { "summary", sheet.summary } });
        std::string joined;
        for (auto const& line : sheet.detail_lines)
            joined += (joined.empty() ? "" : ". ") + line;
        dialog.value = joined;
        dialog.focused = sheet.wants_focus;
        dialog.bounds = sheet_rect(m_bounds, sheet.detail_lines.size(), sheet.confirm.has_value());
        dialog.children.emplace_back("files-sheet-title", ui::AccessRole::Text, sheet.title);
        dialog.children.emplace_back("files-sheet-summary", ui::AccessRole::Text, sheet.summary);
        for (std::size_t i = 0; i < sheet.detail_lines.size(); ++i)
            dialog.children.emplace_back(
                "files-sheet-line:" + std::to_string(i), ui::AccessRole::Text, sheet.detail_lines[i]);
        if (sheet.confirm) {
            ui::AccessNode button(
                "files-sheet-confirm", ui::AccessRole::Button, i18n::translate(confirm_label_id(*sheet.confirm)));
            button.description = i18n::translate(confirm_description_id(*sheet.confirm));
            dialog.children.push_back(std::move(button));
        }
        return dialog;
    }

    ui::AccessNode root("files-root", ui::AccessRole::Window, i18n::translate("files-a11y-activity"));
    root.bounds = m_bounds;
    root.description = i18n::translate_with("files-a11y-current-folder", { { "path", m_state.current_path.string() } });
    if (m_state.load_error)
        root.value = i18n::translate_with("files-a11y-load-error", { { "error", *m_state.load_error } });
    else if (m_state.loading)
        root.value = i18n::translate_with("files-loading-folder", { { "path", m_state.current_path.string() } });
    else if (m_state.entries.empty())
        root.value = i18n::translate(
            m_state.current_path == favorites::trash_files_folder() ? "files-empty-trash" : "files-empty-folder");
    else
        root.value = status_text(m_state);
    root.children.push_back(m_toolbar->accessibility());
    root.children.push_back(m_shell->accessibility());
    if (m_state.inline_rename_open && *m_editor_cell)
        root.children.push_back(m_rename_input.accessibility());
    if (m_menu.is_open())
        root.children.push_back(m_menu.accessibility());
    if (m_state.load_error || m_state.loading) {
        auto state = m_empty_state.accessibility();
        if (m_state.load_error) {
            ui::AccessNode retry("files-retry-folder", ui::AccessRole::Button, i18n::translate("files-try-again"));
            retry.control_id = "files.retry";
            retry.actions = { "activate" };
            retry.bounds = m_retry.bounds();
            state.children.push_back(std::move(retry));
        }
        root.children.push_back(std::move(state));
    }
    return root;
}

bool FileExplorerWidget::perform_action(std::string const& node_id, std::string const& action)
{
    if (node_id == "files-retry-folder" && action == "activate") {
        reload();
        set_needs_layout();
        return true;
    }
    if (m_menu.is_open() && m_menu.perform_action(node_id, action)) {
        take_menu_choice();
        if (!m_menu.is_open())
            m_menu_commands.clear();
        set_needs_layout();
        set_needs_redraw();
        return true;
    }
    bool handled = m_toolbar->perform_action(node_id, action) || m_shell->perform_action(node_id, action);
    if (handled) {
        drain_messages();
        set_needs_layout();
    }
    return handled;
}

}
