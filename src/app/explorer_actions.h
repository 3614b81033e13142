#pragma once

// What the explorer publishes to the desktop (resources with their actions)
// and how an invoked action is checked and run.

#include "app/explorer_state.h"
#include "app/navigation.h"
#include "ui/actions.h"

#include <vector>

namespace files::app {

// The current folder, the places and the entries, in that order.
std::vector<ui::Resource> explorer_resources(ExplorerState const& state);

// The actions offered on one entry (also used by its context menu).
ui::Resource entry_resource(ExplorerState const& state, std::size_t index);

// The address of an entry: its record address for collaborative records,
// else "files.entry:" and the key of its path.
std::string entry_address(model::Entry const& entry);

// Runs an invocation of any handled action id except control invocations,
// which the widget hands to its controls. Answers not handled for ids and
// kinds the explorer does not accept.
ui::InvokeResult invoke_action(ExplorerState& state, LoadHooks const& hooks, ui::ActionInvocation const& invocation);

// Opens a path as a double click does: folders and archive locations are
// navigated to, a file inside an archive sets a notice, any other file goes
// to the desktop opener (whose failure becomes the notice).
void open_path(ExplorerState& state, LoadHooks const& hooks, std::filesystem::path const& path, bool is_folder);

}
