#pragma once

#include "base/result.h"
#include "launch/launch_args.h"

namespace files::scenes {

// Renders the scene named in `args` at --size (default 1280x800) to its
// output path as PNG and prints "file-explorer: wrote shot to PATH".
base::Result<void> render_scene(ui::LaunchArgs const& args);

}
