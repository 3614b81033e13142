#include "app/navigation.h"

#include "app/zoom_file.h"
#include "i18n/translate.h"
#include "model/listing.h"
#include "model/reread.h"
#include "model/sorting.h"

namespace files::app {

namespace {

    model::SelectionIndices selection_indices(ui::SelectionModel const& selection)
    {
        return { selection.selected(), selection.primary() };
    }

    // Re-sorting keeps the selection on the same items, as a person expects when
    // they change the order of what they have selected.
    void sort_in_place(ExplorerState& state)
    {
        auto remembered = model::remember_selection(state.entries, selection_indices(state.selection));
        model::sort_entries(state.entries, state.sort_key, state.sort_order());
        auto remapped = model::remap_selection(remembered, state.entries);
        state.selection.assign(remapped.selected, remapped.primary);
        state.redraw = true;
    }

}

std::vector<std::filesystem::path> ExplorerState::selected_paths() const
{
    std::vector<std::filesystem::path> paths;
    paths.reserve(selection.size());
    for (auto index : selection.selected()) {
        if (index < entries.size())
            paths.emplace_back(entries[index].path);
    }
    return paths;
}

std::string cut_notice(std::string text)
{
    // Count characters, not bytes: step over continuation bytes.
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80)
            continue;
        if (characters == max_notice_characters) {
            text.resize(i);
            break;
        }
        ++characters;
    }
    return text;
}

void set_notice(ExplorerState& state, std::string text)
{
    state.notice = cut_notice(std::move(text));
    state.redraw = true;
}

base::Result<std::vector<model::Entry>> read_location(ExplorerState const& state, std::filesystem::path const& path)
{
    auto entries = TRY(model::list_location(path, state.workspace_roots));
    if (!state.show_hidden)
        model::hide_dot_entries(entries);
    model::sort_entries(entries, state.sort_key, state.sort_order());
    return entries;
}

void load(ExplorerState& state, std::filesystem::path const& path, LoadHooks const& hooks)
{
    state.loading = true;
    state.selection.clear();
    state.load_error.reset();
    state.last_click.reset();
    state.notice.reset();
    *state.scroll_offset = {};

    if (hooks.prepare_location && state.is_live)
        hooks.prepare_location(path);

    std::optional<base::Result<std::vector<model::Entry>>> archived;
    if (hooks.list_archive)
        archived = hooks.list_archive(path);
    bool const inside_archive = archived.has_value();
    base::Result<std::vector<model::Entry>> listed = archived ? std::move(*archived) : read_location(state, path);
    if (listed && inside_archive) {
        if (!state.show_hidden)
            model::hide_dot_entries(*listed);
        model::sort_entries(*listed, state.sort_key, state.sort_order());
    }

    if (listed) {
        state.entries = std::move(*listed);
    } else {
        state.entries.clear();
        state.load_error = i18n::translate_with("files-directory-read-failed", { { "error", listed.error().text() } });
    }
    state.current_path = path;
    if (!state.load_error && inside_archive)
        set_notice(state, i18n::translate("files-archive-read-only"));

    state.loading = false;
    if (hooks.refresh_record_search && hooks.refresh_record_search(path))
        set_notice(state, "Collaborative search needs a refresh to continue.");
    ++state.load_generation;
    if (hooks.after_load)
        hooks.after_load();
    state.redraw = true;
}

void navigate(ExplorerState& state, std::filesystem::path const& path, LoadHooks const& hooks)
{
    if (!model::same_path(path.native(), state.current_path.native())) {
        state.back_list.push_back(state.current_path);
        state.forward_list.clear();
    }
    load(state, path, hooks);
}

void go_back(ExplorerState& state, LoadHooks const& hooks)
{
    if (state.back_list.empty())
        return;
    auto target = std::move(state.back_list.back());
    state.back_list.pop_back();
    state.forward_list.push_back(state.current_path);
    load(state, target, hooks);
}

void go_forward(ExplorerState& state, LoadHooks const& hooks)
{
    if (state.forward_list.empty())
        return;
    auto target = std::move(state.forward_list.back());
    state.forward_list.pop_back();
    state.back_list.push_back(state.current_path);
    load(state, target, hooks);
}

void go_up(ExplorerState& state, LoadHooks const& hooks)
{
    auto normal = state.current_path.lexically_normal();
    // "/a/" normalises to "/a/"; drop the empty last component first.
    if (!normal.has_filename() && normal.has_parent_path() && normal != normal.root_path())
        normal = normal.parent_path();
    if (normal == normal.root_path() || !normal.has_parent_path())
        return;
    navigate(state, normal.parent_path(), hooks);
}

void reload(ExplorerState& state, LoadHooks const& hooks)
{
    auto path = state.current_path;
    load(state, path, hooks);
}

bool reread(ExplorerState& state)
{
    auto fresh = read_location(state, state.current_path);
    if (!fresh)
        return false;
    auto remapped = model::apply_reread(state.entries, std::move(*fresh), selection_indices(state.selection));
    if (!remapped)
        return false;
    state.selection.assign(remapped->selected, remapped->primary);
    state.redraw = true;
    return true;
}

void set_sort_key(ExplorerState& state, model::SortKey key)
{
    state.sort_key = key;
    sort_in_place(state);
}

void set_sort_descending(ExplorerState& state, bool descending)
{
    if (state.sort_descending == descending)
        return;
    state.sort_descending = descending;
    sort_in_place(state);
}

void toggle_hidden(ExplorerState& state, LoadHooks const& hooks)
{
    state.show_hidden = !state.show_hidden;
    reload(state, hooks);
}

void set_zoom(ExplorerState& state, int level)
{
    auto clamped = clamp_zoom_level(level);
    if (clamped == state.zoom_level)
        return;
    state.zoom_level = clamped;
    state.redraw = true;
    if (state.config_folder)
        write_zoom_level(*state.config_folder, clamped);
}

}
