#pragma once

// Constructing the explorer a scene shows and taking it through the frames
// the interactive loop would: the first layout, the thumbnail frame and the
// final picture.

#include "base/result.h"
#include "scenes/fixtures.h"
#include "ui/image.h"
#include "ui/text_renderer.h"
#include "ui/widget.h"

#include <chrono>
#include <memory>
#include <optional>

namespace files::app {
class FileExplorerWidget;
}

namespace files::scenes::detail {

// How long a scene waits at most for its thumbnails.
inline constexpr auto thumbnail_wait_limit = std::chrono::seconds(20);

// The explorer without a configuration folder, with the user's home and
// folders. A fixture that is a workspace root is the only root while the
// explorer is built; the process environment is restored afterwards.
std::unique_ptr<app::FileExplorerWidget> construct_explorer(std::optional<BuiltFixture> const& fixture);

// Every frame of one render shares one clock reading, so a picture does not
// depend on how long the render took.
class SceneFrames {
public:
    explicit SceneFrames(ui::Size size);

    // One synchronisation and layout pass at the scene size, and a second
    // when the explorer still asks for a redraw.
    void first_layout(ui::Widget& root);
    // Draws one frame so the visible thumbnails are requested, then waits
    // until the thumbnail service is idle, at most thumbnail_wait_limit.
    [[nodiscard]] base::Result<void> draw_and_wait_for_thumbnails(app::FileExplorerWidget& root);
    // The last frame, laid out and drawn in the screenshot theme.
    [[nodiscard]] base::Result<ui::Image> final_frame(ui::Widget& root);

private:
    ui::Size m_size;
    ui::FrameContext m_frame;
    ui::TextRenderer m_text;
};

}
