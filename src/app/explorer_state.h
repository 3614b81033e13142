#pragma once

// The state record of the explorer: where the user is, what the folder holds,
// how it is shown, what is selected and what the status line says. Only the
// interface thread touches it; FileExplorerWidget owns the one instance.

#include "app/sheet.h"
#include "favorites/favourites.h"
#include "favorites/places.h"
#include "fileops/clipboard.h"
#include "fileops/trash_ops_commands.h"
#include "model/entry.h"
#include "model/index_generation.h"
#include "ui/geometry.h"
#include "ui/scrollable.h"
#include "ui/selection_model.h"
#include "ui/widget.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace files::app {

using ViewMode = model::ViewMode;

inline constexpr int min_zoom_level = -2;
inline constexpr int max_zoom_level = 6;
inline constexpr std::size_t max_notice_characters = 512;

struct ExplorerState {
    // Location and listing.
    std::filesystem::path current_path { "/" };
    std::vector<model::Entry> entries;
    std::optional<std::string> load_error;
    bool loading { false };
    std::uint64_t load_generation { 0 };
    std::vector<std::filesystem::path> back_list;
    std::vector<std::filesystem::path> forward_list;
    ui::Clock::time_point next_refresh_at {};

    // View settings.
    ViewMode view_mode { ViewMode::List };
    model::SortKey sort_key { model::SortKey::Name };
    bool sort_descending { false };
    bool show_hidden { false };
    int zoom_level { 0 };

    // Selection and pointer.
    ui::SelectionModel selection;
    std::optional<std::pair<std::size_t, ui::Clock::time_point>> last_click;
    ui::Point press_position;
    ui::Point last_cursor;

    // Editing and clipboard.
    bool inline_rename_open { false };
    // The entry under inline rename (by path, so a re-read cannot retarget
    // it) and the text to put into the editor at the next synchronisation.
    std::optional<std::filesystem::path> rename_target;
    std::optional<std::string> pending_rename_text;
    // The drag of entries under way: what is dragged, whether it was armed
    // (it began on an entry), the folder under the pointer, and whether it
    // has been carried out of the window.
    bool drag_under_way { false };
    bool drag_armed { false };
    bool drag_outside { false };
    std::vector<std::filesystem::path> dragged_paths;
    // Whether the first dragged path is a folder, looked up once per drag.
    bool drag_first_is_folder { false };
    std::optional<std::filesystem::path> drop_target;
    fileops::Clipboard clipboard;
    // What the last move to Trash moved, while it can still be undone.
    std::optional<fileops::TrashUndo> trash_undo;

    // Status and presentation.
    std::optional<std::string> notice;
    bool redraw { true };
    // Shared with the scroll container so the offset survives its rebuilds.
    std::shared_ptr<ui::ScrollOffset> scroll_offset { std::make_shared<ui::ScrollOffset>() };
    ui::Rect root_rect;
    std::optional<ui::Rect> viewport_rect;
    std::optional<ui::Rect> content_rect;

    // The one modal sheet, and the effect invoked from outside that is still
    // running (at most one).
    std::optional<Sheet> sheet;
    std::optional<ui::InvocationId> effect_in_flight;

    // Environment.
    std::vector<favorites::Favourite> favourites;
    favorites::PlaceContext place_context;
    std::vector<favorites::Place> system_places;
    std::optional<std::filesystem::path> config_folder;
    std::optional<std::filesystem::path> home_folder;
    std::vector<std::filesystem::path> workspace_roots;
    // Polled at every refresh: tells whether a workspace root's record index
    // changed since the last pass.
    model::RecordIndexWatcher record_index;

    model::SortOrder sort_order() const
    {
        return sort_descending ? model::SortOrder::Descending : model::SortOrder::Ascending;
    }
    bool is_live { true }; // false inside screenshot scenes

    // The paths of the selected entries, in selection order.
    std::vector<std::filesystem::path> selected_paths() const;
};

// The text cut to its first 512 characters, never inside a UTF-8 sequence.
std::string cut_notice(std::string text);

}
