#include "host/detail/render_png.h"

#include "services/atomic_file.h"
#include "ui/image.h"
#include "ui/offscreen_renderer.h"

namespace host::detail {

base::Result<ui::Size> render_window_png(FrameDriver& driver, std::filesystem::path const& path)
{
    ui::RenderOptions options;
    options.size = driver.size();
    options.scale = driver.scale();
    options.frame = driver.frame_context(Clock::now());
    auto image = TRY(ui::OffscreenRenderer::render_resilient(driver.root(), options));
    auto png = TRY(ui::encode_png(image));
    TRY_VOID(services::write_creating_parent(path, png));
    // The render laid the tree out on its own; the window's next frame
    // starts from there.
    driver.request_frame();
    return ui::Size { static_cast<double>(image.width()), static_cast<double>(image.height()) };
}

}
