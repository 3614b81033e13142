// Opening the explorer's menus where the user asked for them, and running
// the command of the item chosen.

#include "app/command_executor.h"
#include "app/explorer_actions.h"
#include "app/file_explorer_widget.h"
#include "app/properties.h"
#include "favorites/favourites_file.h"
#include "fileops/create_rename_templates.h"
#include "places_sidebar/places_sidebar.h"
#include "toolbar/file_toolbar.h"
#include "ui/nav_shell.h"
#include "ui/scrollable.h"
#include "views/file_view.h"

namespace files::app {

namespace {

    // The New File submenu overlaps the menu it opens from by this much.
    constexpr double submenu_overlap = 6;

    // The catalogue writes an arrow after a submenu's label for menus that
    // draw none; this one draws its own.
    std::string without_arrow(std::string label)
    {
        constexpr std::string_view arrow = "›";
        while (!label.empty() && label.back() == ' ')
            label.pop_back();
        if (label.ends_with(arrow))
            label.erase(label.size() - arrow.size());
        while (!label.empty() && label.back() == ' ')
            label.pop_back();
        return label;
    }

    std::vector<std::filesystem::path> current_templates()
    {
        if (auto folder = fileops::templates_folder())
            return fileops::list_templates(*folder);
        return {};
    }

}

MenuContext FileExplorerWidget::menu_context() const
{
    return MenuContext { current_templates(), m_toolbar->is_compact() };
}

void FileExplorerWidget::show_menu(std::vector<MenuEntry> const& entries, ui::Point at, bool submenu)
{
    if (!submenu) {
        m_menu.close();
        m_menu_commands.clear();
        // While the menu is up nothing behind it shows hover.
        m_toolbar->handle_event(ui::PointerLeft {});
        m_shell->handle_event(ui::PointerLeft {});
    }
    m_menu.set_viewport(m_bounds);
    m_menu.set_text_scale(m_text_scale);
    for (auto const& entry : entries) {
        if (entry.is_separator()) {
            m_menu.push(ui::MenuItem::separator());
            continue;
        }
        std::optional<std::size_t> index;
        if (entry.command) {
            index = m_menu_commands.size();
            m_menu_commands.push_back(*entry.command);
        }
        bool const opens_submenu = entry.command && entry.command->kind == MenuCommandKind::OpenNewFileMenu;
        auto item = ui::MenuItem::entry(opens_submenu ? without_arrow(entry.label) : entry.label, index);
        if (entry.check != ui::MenuCheck::None)
            item.checked(entry.check == ui::MenuCheck::Checked);
        if (opens_submenu)
            item.submenu();
        m_menu.push(std::move(item));
    }
    m_menu.open_at(at, m_menu_from_keyboard ? ui::MenuHighlight::FirstItem : ui::MenuHighlight::None);
    m_state.redraw = true;
    set_needs_redraw();
}

void FileExplorerWidget::open_context_menu(ui::Point position)
{
    show_menu(context_menu_entries(m_state, menu_context()), position, false);
}

ui::Point FileExplorerWidget::below_toolbar_button(char const* control_id) const
{
    auto const* button = m_toolbar->control(control_id);
    if (!button)
        button = m_toolbar->control(toolbar::control_ids::view_menu);
    auto anchor
        = button ? button->bounds() : ui::Rect { m_bounds.right, m_bounds.top, m_bounds.right, m_bounds.top + 48 };
    // Started at the button's right edge, the menu flips to end there; its
    // top overlaps the button by 2 px.
    return { anchor.right, anchor.bottom - 2 };
}

void FileExplorerWidget::open_view_menu()
{
    show_menu(view_menu_entries(m_state, menu_context()), below_toolbar_button(toolbar::control_ids::view_menu), false);
}

// The compact toolbar has no Sort button; the menu then hangs below the
// view-menu button that led to it.
void FileExplorerWidget::open_sort_menu()
{
    show_menu(sort_menu_entries(m_state), below_toolbar_button(toolbar::control_ids::sort_menu), false);
}

void FileExplorerWidget::open_templates_menu(ui::Point position)
{
    auto entries = templates_menu_entries(current_templates());
    if (entries.empty())
        return;
    show_menu(entries, position, m_menu.is_open());
}

void FileExplorerWidget::open_favourite_menu(std::filesystem::path const& favourite, ui::Point position)
{
    show_menu(favourite_menu_entries(favourite), position, false);
}

ui::Point FileExplorerWidget::favourite_menu_anchor(std::filesystem::path const& favourite) const
{
    // At the pointer when it is over the favourite's row (a secondary click),
    // else below the row (assistive technology asked).
    auto const& geometry = m_sidebar->geometry();
    for (std::size_t i = 0; i < m_state.favourites.size() && i < geometry.favourite_count; ++i) {
        if (!model::same_path(m_state.favourites[i].path.native(), favourite.native()))
            continue;
        auto const row = geometry.rows[i];
        if (row.contains(m_state.last_cursor))
            return m_state.last_cursor;
        return { row.left + 24, row.bottom };
    }
    return m_state.last_cursor;
}

void FileExplorerWidget::open_properties() { app::open_properties(m_state); }

void FileExplorerWidget::open_keyboard_context_menu()
{
    // Anchored at the primary entry's row, or at the top of the file area
    // when nothing is selected.
    ui::Point at { m_shell->content_rect().left + 24, m_shell->content_rect().top + 24 };
    auto primary = m_state.selection.primary();
    if (primary && *primary < m_state.entries.size() && m_state.viewport_rect) {
        auto row = m_file_view->item_rect(*primary).translated(0, -m_state.scroll_offset->y);
        auto const& viewport = *m_state.viewport_rect;
        at = { std::min(row.left + 48, row.right), std::clamp(row.bottom, viewport.top, viewport.bottom) };
    }
    m_menu_from_keyboard = true;
    open_context_menu(at);
    m_menu_from_keyboard = false;
}

ui::EventResult FileExplorerWidget::handle_menu_event(ui::Event const& event)
{
    bool const keyboard = std::holds_alternative<ui::KeyPressed>(event);
    auto result = m_menu.handle_event(event);
    m_menu_from_keyboard = keyboard;
    take_menu_choice();
    m_menu_from_keyboard = false;
    if (!m_menu.is_open())
        m_menu_commands.clear();
    if (result == ui::EventResult::Handled)
        m_state.redraw = true;
    return result;
}

void FileExplorerWidget::take_menu_choice()
{
    auto choice = m_menu.take_choice();
    if (!choice)
        return;
    if (choice->opens_submenu) {
        // The New File submenu opens beside the chosen row, overlapping the
        // menu slightly.
        auto row = m_menu.item_rect(choice->item);
        open_templates_menu({ m_menu.level_rect(choice->item.level).right - submenu_overlap, row.top });
        return;
    }
    if (!choice->command || *choice->command >= m_menu_commands.size())
        return;
    auto command = m_menu_commands[*choice->command];
    m_menu.close();
    m_menu_commands.clear();
    run_menu_command(command);
}

void FileExplorerWidget::run_menu_command(MenuCommand const& command)
{
    switch (command.kind) {
    case MenuCommandKind::Open:
        open_primary();
        break;
    case MenuCommandKind::Rename:
        begin_rename(m_state);
        break;
    case MenuCommandKind::Cut:
        cut_selection(m_state);
        break;
    case MenuCommandKind::Copy:
        copy_selection(m_state);
        break;
    case MenuCommandKind::ExtractSelected:
        extract_selected(m_state);
        break;
    case MenuCommandKind::ExtractBrowsed:
        extract_browsed(m_state);
        break;
    case MenuCommandKind::Compress:
        compress_selected(m_state);
        break;
    case MenuCommandKind::Restore:
        restore_selection(m_state);
        break;
    case MenuCommandKind::MoveToTrash:
        trash_selection(m_state);
        break;
    case MenuCommandKind::RequestEmptyTrash:
        request_empty_trash(m_state);
        break;
    case MenuCommandKind::Properties:
        open_properties();
        break;
    case MenuCommandKind::Paste:
        (void)paste_clipboard_here(m_state);
        break;
    case MenuCommandKind::NewFolder:
        new_folder_here(m_state, {});
        break;
    case MenuCommandKind::OpenNewFileMenu:
        open_templates_menu(m_state.last_cursor);
        break;
    case MenuCommandKind::NewFromTemplate:
        new_file_from_template_here(m_state, command.path);
        break;
    case MenuCommandKind::AddFavourite:
    case MenuCommandKind::RemoveFavourite: {
        auto change = command.kind == MenuCommandKind::AddFavourite
            ? favorites::add_favourite(m_state.favourites, command.path, m_state.place_context)
            : favorites::remove_favourite(m_state.favourites, command.path);
        // A favourites file that cannot be written leaves the list in memory.
        if (change == favorites::FavouriteChange::Changed)
            (void)favorites::save_favourites(m_state.config_folder, m_state.favourites);
        break;
    }
    case MenuCommandKind::ToggleHidden:
        toggle_hidden(m_state, m_hooks);
        break;
    case MenuCommandKind::SetSortKey:
        set_sort_key(m_state, command.sort_key);
        break;
    case MenuCommandKind::SetSortOrder:
        set_sort_descending(m_state, command.descending);
        break;
    case MenuCommandKind::SetViewMode:
        m_state.view_mode = command.view_mode;
        break;
    case MenuCommandKind::GoForward:
        forward();
        break;
    case MenuCommandKind::OpenSortMenu:
        open_sort_menu();
        break;
    case MenuCommandKind::UndoMoveToTrash:
        undo_trash(m_state);
        break;
    case MenuCommandKind::ShowShortcuts:
        m_state.sheet = keyboard_shortcuts_sheet();
        break;
    case MenuCommandKind::OpenTerminal:
        if (auto started = open_terminal_here(m_state); !started)
            set_notice(started.error().text());
        break;
    case MenuCommandKind::OpenFolder:
        navigate(command.path);
        break;
    }
    m_state.redraw = true;
    set_needs_layout();
    set_needs_redraw();
}

}
