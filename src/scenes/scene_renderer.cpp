#include "scenes/scene_renderer.h"

#include "app/placeholder_root.h"
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
    auto location = args.value("--path").value_or("/");

    // Every scene shows the placeholder window until the explorer exists.
    app::PlaceholderRoot root(location, {});
    ui::RenderOptions options;
    options.size = size;
    options.theme = &ui::Theme::screenshot();
    auto image = TRY(ui::OffscreenRenderer::render_resilient(root, options));
    auto png = TRY(ui::encode_png(image));
    TRY_VOID(services::write_creating_parent(*args.scene_output(), png));
    std::printf("file-explorer: wrote shot to %s\n", args.scene_output()->c_str());
    std::fflush(stdout);
    return {};
}

}
