#include "scenes/scene_table.h"

#include "app/file_explorer_widget.h"
#include "favorites/places.h"
#include "i18n/translate.h"

#include <algorithm>
#include <array>

namespace files::scenes {

namespace {

    constexpr std::string_view history_missing
        = "scene not available yet: the explorer has no version history in this build";
    constexpr std::string_view remote_missing
        = "scene not available yet: the explorer has no remote accounts in this build";

    // The favourite picked up by "reorder", and the row it is held over.
    constexpr std::size_t reorder_from = 4;
    constexpr std::size_t reorder_over = 1;

    void show_load_error(app::FileExplorerWidget& root)
    {
        auto& state = root.mutable_state();
        state.entries.clear();
        state.selection.clear();
        state.loading = false;
        state.load_error = i18n::translate_with("files-directory-read-failed", { { "error", "Permission denied" } });
    }

    void show_loading(app::FileExplorerWidget& root)
    {
        auto& state = root.mutable_state();
        state.entries.clear();
        state.selection.clear();
        state.load_error.reset();
        state.notice.reset();
        state.loading = true;
    }

    void open_view_menu(app::FileExplorerWidget& root, ui::Size) { root.open_view_menu(); }

    void offer_trash_undo(app::FileExplorerWidget& root)
    {
        root.mutable_state().trash_undo = fileops::TrashUndo { { "/shot-only-trash-entry" } };
    }

    // The file-area menu at the pointer, and its New File submenu beside it,
    // 66 pixels below the pointer and overlapping the menu by 6.
    void open_context_menu_with_new_file(app::FileExplorerWidget& root, ui::Size size)
    {
        ui::Point pointer { 0.45 * size.width, 0.34 * size.height };
        (void)root.handle_event(ui::PointerMoved { pointer, {} });
        root.open_context_menu(pointer);
        if (auto const* menu = root.open_menu())
            root.open_templates_menu({ menu->right() - 6, pointer.y + 66 });
        // An event with no position and no text, as the desktop sends while
        // nothing moves: the menus stay open.
        (void)root.handle_event(ui::KeyPressed {});
    }

    void snap_sidebar(app::FileExplorerWidget& root) { root.snap_sidebar_into_view(); }

    void rename_fourth_entry(app::FileExplorerWidget& root) { root.begin_rename_at(3); }

    void pin_status(app::FileExplorerWidget& root) { root.pin_status(true); }

    void select_two_entries(app::FileExplorerWidget& root)
    {
        auto& state = root.mutable_state();
        std::vector<std::size_t> selected;
        for (std::size_t index : { std::size_t { 7 }, std::size_t { 8 } }) {
            if (index < state.entries.size())
                selected.push_back(index);
        }
        if (!selected.empty())
            state.selection.assign(selected, selected.back());
        root.pin_status(true);
    }

    void hover_while_selected(app::FileExplorerWidget& root, ui::Size size)
    {
        (void)root.handle_event(ui::PointerMoved { { 0.35 * size.width, 560 }, {} });
    }

    void hold_favourite_over_another(app::FileExplorerWidget& root, ui::Size)
    {
        if (root.state().favourites.size() <= reorder_from)
            return;
        (void)root.begin_favourite_reorder(reorder_from, reorder_over);
    }

    void drag_folder_over_sidebar(app::FileExplorerWidget& root, ui::Size)
    {
        auto const& state = root.state();
        auto folder = std::ranges::find_if(
            state.entries, [](model::Entry const& entry) { return entry.is_dir && entry.name == "Development"; });
        if (folder == state.entries.end())
            return;
        (void)root.begin_entry_drag_over(folder->path, { 150, 300 });
    }

    void drag_file_over_first_place(app::FileExplorerWidget& root, ui::Size)
    {
        auto const& state = root.state();
        auto places = favorites::sidebar_places(state.favourites, state.system_places);
        auto file = std::ranges::find_if(state.entries, [](model::Entry const& entry) { return !entry.is_dir; });
        auto row = root.sidebar_row(0);
        if (places.empty() || file == state.entries.end() || !row)
            return;
        (void)root.begin_entry_drag_over(file->path, row->center());
    }

    constexpr std::array<Scene, 20> scenes { {
        { .name = "archive", .fixture = SceneFixture::Archive },
        { .name = "archive-menu", .fixture = SceneFixture::Archive, .after_first_layout = open_view_menu },
        { .name = "context-menu", .after_first_layout = open_context_menu_with_new_file },
        { .name = "dropmove", .after_first_layout = drag_file_over_first_place },
        { .name = "error", .before_first_frame = show_load_error },
        { .name = "grid", .view = SceneView::Grid },
        { .name = "history", .unavailable = history_missing },
        { .name = "loading", .before_first_frame = show_loading },
        { .name = "menu", .after_first_layout = open_view_menu },
        { .name = "pindrag", .after_first_layout = drag_folder_over_sidebar },
        { .name = "places", .before_first_frame = snap_sidebar },
        { .name = "remote-account", .unavailable = remote_missing },
        { .name = "rename", .before_first_frame = rename_fourth_entry },
        { .name = "reorder", .after_first_layout = hold_favourite_over_another },
        { .name = "select", .before_first_frame = select_two_entries, .after_first_layout = hover_while_selected },
        { .name = "status", .before_first_frame = pin_status },
        { .name = "sync", .fixture = SceneFixture::Sync },
        { .name = "thumbnails",
            .fixture = SceneFixture::Thumbnails,
            .view = SceneView::Grid,
            .thumbnails = ThumbnailWait::Yes },
        { .name = "thumbnails-fs",
            .fixture = SceneFixture::EmbeddedThumbnails,
            .view = SceneView::Grid,
            .thumbnails = ThumbnailWait::Yes },
        { .name = "undo-trash", .before_first_frame = offer_trash_undo, .after_first_layout = open_view_menu },
    } };

}

std::span<Scene const> scene_table() { return scenes; }

Scene const* find_scene(std::string_view name)
{
    auto found = std::ranges::find(scenes, name, &Scene::name);
    return found == scenes.end() ? nullptr : &*found;
}

}
