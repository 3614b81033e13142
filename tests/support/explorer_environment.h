#pragma once

// The explorer as tests build it: folders inside the test's own temporary
// folder, nothing created for a live session.

#include "app/file_explorer_widget.h"
#include "support/temp_dir.h"

namespace test_support {

inline files::app::ExplorerEnvironment explorer_environment(TempDir const& dir, std::filesystem::path const& start)
{
    files::app::ExplorerEnvironment env;
    env.config_folder = dir / "config";
    env.home_folder = dir / "home";
    env.start_location = start;
    env.live = false;
    return env;
}

}
