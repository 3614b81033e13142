#pragma once

// Moving through folders: navigate, back, forward, up, reload, and the load
// and periodic re-read they share.

#include "app/explorer_state.h"
#include "base/result.h"

#include <functional>
#include <optional>

namespace files::app {

// The places where loading reaches other subsystems. Each may be empty.
struct LoadHooks {
    // Lists the members at a path inside an archive file, or nothing when the
    // path does not lie inside one.
    std::function<std::optional<base::Result<std::vector<model::Entry>>>(std::filesystem::path const&)> list_archive;
    // True when the path lies inside an archive file (read-only browsing).
    std::function<bool(std::filesystem::path const&)> is_inside_archive;
    // Points the collaborative record search at the new folder; answers
    // true when the search can no longer continue.
    std::function<bool(std::filesystem::path const&)> refresh_record_search;
    // Called after every load (the remote-account catalog follows loads).
    std::function<void()> after_load;
    // Creates the Trash's files folder when asked to load it.
    std::function<void(std::filesystem::path const&)> prepare_location;
};

// Sets the notice (cut to 512 characters) and marks the state for redraw.
void set_notice(ExplorerState& state, std::string text);

void navigate(ExplorerState& state, std::filesystem::path const& path, LoadHooks const& hooks);
void go_back(ExplorerState& state, LoadHooks const& hooks);
void go_forward(ExplorerState& state, LoadHooks const& hooks);
void go_up(ExplorerState& state, LoadHooks const& hooks);
void reload(ExplorerState& state, LoadHooks const& hooks);
void load(ExplorerState& state, std::filesystem::path const& path, LoadHooks const& hooks);

// Re-reads the current folder; a failure is ignored, an unchanged result is
// discarded without touching anything, a changed one replaces the entries
// and keeps the selection by identity. Returns true when the entries changed.
bool reread(ExplorerState& state);

void set_sort_key(ExplorerState& state, model::SortKey key);
void set_sort_descending(ExplorerState& state, bool descending);
void toggle_hidden(ExplorerState& state, LoadHooks const& hooks);
// Clamps to -2 … 6; writes the zoom file when the level changed.
void set_zoom(ExplorerState& state, int level);

// The folder read the way loads and re-reads read it: local listing with
// workspace metadata inside the roots, hidden items dropped unless shown,
// sorted by the current key and order.
base::Result<std::vector<model::Entry>> read_location(ExplorerState const& state, std::filesystem::path const& path);

}
