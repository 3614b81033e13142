#pragma once

#include "base/result.h"
#include "host/frame_driver.h"

#include <filesystem>

namespace host::detail {

// Renders the driver's tree at the window size and scale to a PNG file,
// published atomically; answers the image's size in device pixels.
base::Result<ui::Size> render_window_png(FrameDriver& driver, std::filesystem::path const& path);

}
