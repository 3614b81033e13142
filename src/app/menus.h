#pragma once

// What the explorer's pop-up menus hold: the file-area context menu, the
// view menu, the sort menu and the New File submenu. Each is built afresh
// from the explorer's state when it opens; an item is a label, the command
// it runs (none for separators and for items that only inform) and a check
// state. Drawing and choosing are the ContextMenu control's; running a
// chosen command is the explorer's (explorer_menus.cpp).

#include "app/explorer_state.h"
#include "model/entry.h"
#include "ui/context_menu.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace files::app {

enum class MenuCommandKind : std::uint8_t {
    Open,
    Rename,
    Cut,
    Copy,
    ExtractSelected,
    ExtractBrowsed,
    Compress,
    Restore,
    // Move to Trash, which inside the Trash asks for permanent deletion.
    MoveToTrash,
    RequestEmptyTrash,
    Properties,
    Paste,
    NewFolder,
    OpenNewFileMenu,
    NewFromTemplate,
    AddFavourite,
    RemoveFavourite,
    ToggleHidden,
    SetSortKey,
    SetSortOrder,
    SetViewMode,
    GoForward,
    OpenSortMenu,
    UndoMoveToTrash,
    ShowShortcuts,
    OpenTerminal,
    // Navigates to `path` (a favourite's menu).
    OpenFolder,
};

struct MenuCommand {
    MenuCommandKind kind;
    // The folder of AddFavourite, RemoveFavourite and OpenFolder, the
    // template of NewFromTemplate.
    std::filesystem::path path {};
    model::SortKey sort_key { model::SortKey::Name };
    bool descending { false };
    ViewMode view_mode { ViewMode::List };

    bool operator==(MenuCommand const&) const = default;
};

struct MenuEntry {
    std::string label;
    std::optional<MenuCommand> command;
    ui::MenuCheck check { ui::MenuCheck::None };

    static MenuEntry separator() { return {}; }
    bool is_separator() const { return label.empty() && !command; }
    bool operator==(MenuEntry const&) const = default;
};

// What the menus read besides the explorer state.
struct MenuContext {
    // The template list in its order; empty when there are none.
    std::vector<std::filesystem::path> templates;
    // The toolbar is in its compact form, which has no Forward button.
    bool compact_toolbar { false };
};

std::vector<MenuEntry> context_menu_entries(ExplorerState const& state, MenuContext const& context);
std::vector<MenuEntry> view_menu_entries(ExplorerState const& state, MenuContext const& context);
std::vector<MenuEntry> sort_menu_entries(ExplorerState const& state);
std::vector<MenuEntry> templates_menu_entries(std::vector<std::filesystem::path> const& templates);
// The menu of a favourite in the sidebar: open it, remove it.
std::vector<MenuEntry> favourite_menu_entries(std::filesystem::path const& favourite);

// The availability block's items for the selected entries: offered exactly
// when their command would act on at least one of them.
std::vector<MenuEntry> availability_entries(std::vector<model::Entry const*> const& selected);

}
