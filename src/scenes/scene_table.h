#pragma once

// The screenshot scenes: which fixture each builds, and the state it
// arranges before the first frame and after the first layout.

#include "base/result.h"
#include "ui/geometry.h"

#include <span>
#include <string_view>

namespace files::app {
class FileExplorerWidget;
}

namespace files::scenes {

enum class SceneFixture : std::uint8_t {
    None,
    Sync,
    Thumbnails,
    EmbeddedThumbnails,
    Archive,
};

enum class SceneView : std::uint8_t {
    AsOpened,
    Grid,
};

enum class ThumbnailWait : std::uint8_t {
    No,
    Yes,
};

struct Scene {
    std::string_view name;
    SceneFixture fixture { SceneFixture::None };
    SceneView view { SceneView::AsOpened };
    ThumbnailWait thumbnails { ThumbnailWait::No };
    // Empty, or why the scene cannot be rendered by this build.
    std::string_view unavailable {};
    // The state applied before the first frame, and after the first layout
    // at `size` (when rows, cells and drop targets are known).
    void (*before_first_frame)(app::FileExplorerWidget& root) { nullptr };
    void (*after_first_layout)(app::FileExplorerWidget& root, ui::Size size) { nullptr };
};

// Every scene, in the order of the launch's scene names.
std::span<Scene const> scene_table();

// The scene called `name`, or nothing.
Scene const* find_scene(std::string_view name);

}
