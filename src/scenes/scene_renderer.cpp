#include "scenes/scene_renderer.h"

#include "app/file_explorer_widget.h"
#include "services/thumbnails/thumbnail_service.h"
#include "services/atomic_file.h"
#include "ui/offscreen_renderer.h"
#include "ui/theme.h"

#include <cstdio>

namespace files::scenes {

base::Result<void> render_scene(ui::LaunchArgs const& args)
{
    if (!args.scene() || !args.scene_output())
        return base::fail("no scene to render");
    ui::Size size { 1280, 800 };
    if (auto text = args.value("--size"))
        size = TRY(ui::parse_size(*text));
    // Until the scenes have their demonstration folders, each shows the
    // explorer in the folder given with --path (or its start location).
    auto environment = app::desktop_environment();
    environment.live = false;
    app::FileExplorerWidget root(environment);
    if (auto location = args.value("--path"))
        root.navigate(*location);
    root.pin_status(true);
    ui::RenderOptions options;
    options.size = size;
    options.theme = &ui::Theme::screenshot();
    // The first pass asks for the visible thumbnails; once they are decoded
    // the second shows them.
    (void)TRY(ui::OffscreenRenderer::render_resilient(root, options));
    if (root.thumbnails())
        root.thumbnails()->block_until_idle();
    auto image = TRY(ui::OffscreenRenderer::render_resilient(root, options));
    auto png = TRY(ui::encode_png(image));
    TRY_VOID(services::write_creating_parent(*args.scene_output(), png));
    std::printf("file-explorer: wrote shot to %s\n", args.scene_output()->c_str());
    std::fflush(stdout);
    return {};
}

}
