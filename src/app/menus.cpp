#include "app/menus.h"

#include "app/command_executor.h"
#include "fileops/archive.h"
#include "fileops/create_rename_templates.h"
#include "i18n/translate.h"

#include <algorithm>

namespace files::app {

namespace {

    MenuEntry item(char const* label_id, std::optional<MenuCommand> command = std::nullopt)
    {
        return MenuEntry { i18n::translate(label_id), std::move(command), ui::MenuCheck::None };
    }

    MenuEntry checkable(char const* label_id, MenuCommand command, bool checked)
    {
        return MenuEntry { i18n::translate(label_id), std::move(command),
            checked ? ui::MenuCheck::Checked : ui::MenuCheck::Unchecked };
    }

    MenuCommand run(MenuCommandKind kind) { return MenuCommand { .kind = kind }; }

    MenuCommand with_path(MenuCommandKind kind, std::filesystem::path path)
    {
        return MenuCommand { .kind = kind, .path = std::move(path) };
    }

    MenuCommand sort_by(model::SortKey key)
    {
        return MenuCommand { .kind = MenuCommandKind::SetSortKey, .sort_key = key };
    }

    MenuCommand view_as(ViewMode mode)
    {
        return MenuCommand { .kind = MenuCommandKind::SetViewMode, .view_mode = mode };
    }

    std::vector<model::Entry const*> selected_entries(ExplorerState const& state)
    {
        std::vector<model::Entry const*> selected;
        for (auto index : state.selection.selected()) {
            if (index < state.entries.size())
                selected.push_back(&state.entries[index]);
        }
        return selected;
    }

    bool current_is_favourite(ExplorerState const& state)
    {
        return std::ranges::any_of(state.favourites, [&](favorites::Favourite const& favourite) {
            return model::same_path(favourite.path.native(), state.current_path.native());
        });
    }

    void append_archive_section(ExplorerState const& state, std::vector<MenuEntry>& entries)
    {
        if (!state.selection.empty()) {
            entries.push_back(item("files-menu-open", run(MenuCommandKind::Open)));
            entries.push_back(MenuEntry::separator());
        }
        entries.push_back(item("files-archive-extract", run(MenuCommandKind::ExtractBrowsed)));
    }

    void append_trash_section(ExplorerState const& state, std::vector<MenuEntry>& entries)
    {
        if (!state.selection.empty()) {
            entries.push_back(item("files-menu-open", run(MenuCommandKind::Open)));
            entries.push_back(MenuEntry::separator());
            entries.push_back(item("files-menu-restore", run(MenuCommandKind::Restore)));
            entries.push_back(item("files-menu-delete-permanently", run(MenuCommandKind::MoveToTrash)));
            entries.push_back(MenuEntry::separator());
        }
        entries.push_back(item("files-menu-empty-trash", run(MenuCommandKind::RequestEmptyTrash)));
    }

    void append_entry_section(ExplorerState const& state, std::vector<MenuEntry>& entries)
    {
        auto const selected = selected_entries(state);
        auto const primary = state.selection.primary();
        bool const has_primary = primary && *primary < state.entries.size();
        entries.push_back(
            item("files-menu-open", has_primary ? std::optional(run(MenuCommandKind::Open)) : std::nullopt));
        entries.push_back(item("files-menu-rename", run(MenuCommandKind::Rename)));
        entries.push_back(MenuEntry::separator());
        entries.push_back(item("files-menu-cut", run(MenuCommandKind::Cut)));
        entries.push_back(item("files-menu-copy", run(MenuCommandKind::Copy)));
        // Nearby Send, for a single selection, goes here once the explorer
        // can reach nearby devices.
        if (std::ranges::any_of(selected, [](auto const* entry) { return fileops::is_supported_archive(entry->path); }))
            entries.push_back(item("files-archive-extract-here", run(MenuCommandKind::ExtractSelected)));
        entries.push_back(item("files-archive-compress", run(MenuCommandKind::Compress)));
        auto availability = availability_entries(selected);
        if (!availability.empty()) {
            entries.push_back(MenuEntry::separator());
            entries.insert(entries.end(), availability.begin(), availability.end());
        }
        if (state.selection.size() == 1 && selected.size() == 1)
            entries.push_back(item("files-menu-properties", run(MenuCommandKind::Properties)));
        // The sharing and history entries of the single entry follow here
        // once the explorer can reach the share and history services.
    }

    void append_folder_section(ExplorerState const& state, MenuContext const& context, std::vector<MenuEntry>& entries)
    {
        if (!state.clipboard.items.empty())
            entries.push_back(item("files-menu-paste", run(MenuCommandKind::Paste)));
        entries.push_back(MenuEntry::separator());
        entries.push_back(item("files-menu-new-folder", run(MenuCommandKind::NewFolder)));
        if (!context.templates.empty())
            entries.push_back(item("files-menu-new-file", run(MenuCommandKind::OpenNewFileMenu)));
        if (!state.selection.empty()) {
            entries.push_back(MenuEntry::separator());
            entries.push_back(item("files-menu-move-trash", run(MenuCommandKind::MoveToTrash)));
        }
        auto const selected = selected_entries(state);
        if (state.selection.size() == 1 && selected.size() == 1 && selected.front()->is_dir) {
            entries.push_back(MenuEntry::separator());
            entries.push_back(
                item("files-menu-add-favourite", with_path(MenuCommandKind::AddFavourite, selected.front()->path)));
        } else if (current_is_favourite(state)) {
            entries.push_back(MenuEntry::separator());
            entries.push_back(
                item("files-menu-remove-favourite", with_path(MenuCommandKind::RemoveFavourite, state.current_path)));
        }
        entries.push_back(MenuEntry::separator());
        entries.push_back(item(state.show_hidden ? "files-menu-hide-hidden" : "files-menu-show-hidden",
            run(MenuCommandKind::ToggleHidden)));
        entries.push_back(MenuEntry::separator());
        entries.push_back(item("files-menu-sort-name", sort_by(model::SortKey::Name)));
        entries.push_back(item("files-menu-sort-size", sort_by(model::SortKey::Size)));
        entries.push_back(item("files-menu-sort-type", sort_by(model::SortKey::Type)));
        entries.push_back(item("files-menu-sort-date", sort_by(model::SortKey::Modified)));
        entries.push_back(MenuEntry::separator());
        entries.push_back(item("files-menu-open-terminal", run(MenuCommandKind::OpenTerminal)));
    }

}

std::vector<MenuEntry> availability_entries(std::vector<model::Entry const*> const& selected)
{
    using model::AvailabilityPolicy;
    using model::ResidencyState;
    using model::TransferPhase;
    bool unpinned = false, pinned_directly = false, pinned_by_parent = false, can_free = false, can_retry = false;
    bool any = false;
    for (auto const* entry : selected) {
        if (!entry->availability)
            continue;
        any = true;
        auto const& record = *entry->availability;
        bool const pinned = record.policy == AvailabilityPolicy::Pinned;
        unpinned |= !pinned;
        pinned_directly |= pinned && !record.policy_inherited;
        pinned_by_parent |= pinned && record.policy_inherited;
        bool const idle = record.phase == TransferPhase::Idle;
        can_free |= !entry->is_dir && !pinned && !record.policy_inherited && idle
            && record.residency != ResidencyState::NotResident;
        can_retry |= idle && record.residency != ResidencyState::Resident;
    }
    std::vector<MenuEntry> entries;
    if (!any)
        return entries;
    // These commands act through the synchronising file system's control
    // channel; until the explorer speaks it the items show what applies and
    // run nothing.
    if (unpinned)
        entries.push_back(item("files-keep-offline"));
    if (pinned_directly)
        entries.push_back(item("files-use-automatic-storage"));
    else if (pinned_by_parent)
        entries.push_back(item("files-pinned-by-parent"));
    if (can_free)
        entries.push_back(item("files-free-local-space"));
    if (can_retry)
        entries.push_back(item("files-retry-download"));
    return entries;
}

std::vector<MenuEntry> context_menu_entries(ExplorerState const& state, MenuContext const& context)
{
    std::vector<MenuEntry> entries;
    if (is_archive_location(state)) {
        append_archive_section(state, entries);
        return entries;
    }
    if (is_trash_location(state)) {
        append_trash_section(state, entries);
        return entries;
    }
    if (!state.selection.empty())
        append_entry_section(state, entries);
    append_folder_section(state, context, entries);
    return entries;
}

std::vector<MenuEntry> view_menu_entries(ExplorerState const& state, MenuContext const& context)
{
    std::vector<MenuEntry> entries;
    if (context.compact_toolbar) {
        // The compact toolbar shows neither Forward nor the view and sort
        // controls; the menu offers them instead.
        entries.push_back(item("files-forward", run(MenuCommandKind::GoForward)));
        entries.push_back(MenuEntry::separator());
        entries.push_back(checkable("files-view-list", view_as(ViewMode::List), state.view_mode == ViewMode::List));
        entries.push_back(checkable("files-view-grid", view_as(ViewMode::Grid), state.view_mode == ViewMode::Grid));
        entries.push_back(MenuEntry::separator());
        entries.push_back(item("files-sort-by", run(MenuCommandKind::OpenSortMenu)));
        entries.push_back(MenuEntry::separator());
    }
    if (is_archive_location(state)) {
        entries.push_back(item("files-archive-extract", run(MenuCommandKind::ExtractBrowsed)));
        return entries;
    }
    entries.push_back(item("files-menu-new-folder", run(MenuCommandKind::NewFolder)));
    if (!context.templates.empty())
        entries.push_back(item("files-menu-new-file", run(MenuCommandKind::OpenNewFileMenu)));
    if (state.trash_undo) {
        entries.push_back(MenuEntry::separator());
        entries.push_back(item("files-undo-move-trash", run(MenuCommandKind::UndoMoveToTrash)));
    }
    entries.push_back(MenuEntry::separator());
    entries.push_back(checkable("files-menu-show-hidden", run(MenuCommandKind::ToggleHidden), state.show_hidden));
    if (is_trash_location(state)) {
        entries.push_back(MenuEntry::separator());
        entries.push_back(item("files-menu-empty-trash", run(MenuCommandKind::RequestEmptyTrash)));
    }
    entries.push_back(MenuEntry::separator());
    entries.push_back(item("files-menu-open-terminal", run(MenuCommandKind::OpenTerminal)));
    entries.push_back(MenuEntry::separator());
    entries.push_back(item("files-shortcuts-title", run(MenuCommandKind::ShowShortcuts)));
    return entries;
}

std::vector<MenuEntry> sort_menu_entries(ExplorerState const& state)
{
    auto key = [&](char const* label_id, model::SortKey sort_key) {
        return checkable(label_id, sort_by(sort_key), state.sort_key == sort_key);
    };
    auto order = [&](char const* label_id, bool descending) {
        return checkable(label_id, MenuCommand { .kind = MenuCommandKind::SetSortOrder, .descending = descending },
            state.sort_descending == descending);
    };
    return {
        key("files-sort-name", model::SortKey::Name),
        key("files-sort-size", model::SortKey::Size),
        key("files-sort-type", model::SortKey::Type),
        key("files-sort-date", model::SortKey::Modified),
        MenuEntry::separator(),
        order("files-sort-ascending", false),
        order("files-sort-descending", true),
    };
}

std::vector<MenuEntry> templates_menu_entries(std::vector<std::filesystem::path> const& templates)
{
    std::vector<MenuEntry> entries;
    for (auto const& template_path : templates) {
        entries.push_back(MenuEntry { resolve_message(fileops::template_label(template_path)),
            with_path(MenuCommandKind::NewFromTemplate, template_path), ui::MenuCheck::None });
    }
    return entries;
}

std::vector<MenuEntry> favourite_menu_entries(std::filesystem::path const& favourite)
{
    return {
        item("files-menu-open", with_path(MenuCommandKind::OpenFolder, favourite)),
        item("files-menu-remove-favourite", with_path(MenuCommandKind::RemoveFavourite, favourite)),
    };
}

}
