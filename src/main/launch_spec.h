#pragma once

// The launch specification of Files: its application id, options, scene
// names and the three callbacks the toolkit calls back.

#include "launch/launch_args.h"

#include <array>
#include <string_view>

namespace files::entry {

inline constexpr char const* application_id = "so.kesu.file-explorer";

inline constexpr std::array<std::string_view, 20> scene_names { "archive", "archive-menu", "context-menu",
    "dropmove", "error", "grid", "history", "loading", "menu", "pindrag", "places", "remote-account", "rename",
    "reorder", "select", "status", "sync", "thumbnails", "thumbnails-fs", "undo-trash" };

ui::Size default_window_size();

ui::LaunchSpec make_launch_spec();

// The persisted-state opener: opens the document and sets the actor chosen
// by choose_actor_id, writing one diagnostic line that names it.
base::Result<ui::PersistedState> open_persisted_state();

// The root-widget factory of interactive mode.
base::Result<std::unique_ptr<ui::Widget>> create_root_widget(ui::LaunchArgs const& args);

}
