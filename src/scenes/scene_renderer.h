#pragma once

// Renders a screenshot scene: a deterministic arrangement of the real
// explorer, drawn off-screen and published as a PNG file.

#include "base/result.h"
#include "launch/launch_args.h"
#include "scenes/detail/scene_frames.h"
#include "scenes/scene_table.h"
#include "ui/image.h"

#include <filesystem>
#include <memory>

namespace files::app {
class FileExplorerWidget;
}

namespace files::scenes {

// A scene built, arranged and laid out, before its final frame.
struct ArrangedScene {
    Scene const* scene { nullptr };
    std::filesystem::path output;
    std::unique_ptr<app::FileExplorerWidget> root;
    std::unique_ptr<detail::SceneFrames> frames;

    ArrangedScene();
    ArrangedScene(ArrangedScene&&) noexcept;
    ArrangedScene& operator=(ArrangedScene&&) noexcept;
    ~ArrangedScene();
};

// Everything up to the final frame: the output path and scene are checked,
// the fixture is built, the explorer constructed, navigated and arranged.
[[nodiscard]] base::Result<ArrangedScene> arrange_scene(ui::LaunchArgs const& args);

// The final frame of an arranged scene (after its thumbnail wait).
[[nodiscard]] base::Result<ui::Image> draw_scene(ArrangedScene& arranged);

// Renders the scene the arguments name at --size and publishes it at the
// output path; on success prints "file-explorer: wrote shot to PATH" on
// standard output. Fails before doing anything without an output path, for
// an unknown scene or one this build cannot show, and with a text beginning
// "atomically publish png" when the picture cannot be published (the file at
// the output path is then left as it was).
[[nodiscard]] base::Result<void> render_scene(ui::LaunchArgs const& args);

// The same without the line on standard output; returns the output path.
[[nodiscard]] base::Result<std::filesystem::path> publish_scene(ui::LaunchArgs const& args);

}
