#include "scenes/detail/scene_frames.h"

#include "app/file_explorer_widget.h"
#include "favorites/workspace_roots.h"
#include "services/thumbnails/thumbnail_service.h"
#include "ui/offscreen_renderer.h"
#include "ui/theme.h"

#include <cstdlib>
#include <string>
#include <thread>

namespace files::scenes::detail {

namespace {

    // Sets an environment variable for the life of the object and puts back
    // what was there before.
    class ScopedVariable {
    public:
        ScopedVariable(char const* name, std::string const& value)
            : m_name(name)
        {
            if (char const* old = std::getenv(name))
                m_old = old;
            ::setenv(name, value.c_str(), 1);
        }
        ~ScopedVariable()
        {
            if (m_old)
                ::setenv(m_name, m_old->c_str(), 1);
            else
                ::unsetenv(m_name);
        }
        ScopedVariable(ScopedVariable const&) = delete;
        ScopedVariable& operator=(ScopedVariable const&) = delete;

    private:
        char const* m_name;
        std::optional<std::string> m_old;
    };

    constexpr auto thumbnail_poll_interval = std::chrono::milliseconds(5);

}

std::unique_ptr<app::FileExplorerWidget> construct_explorer(std::optional<BuiltFixture> const& fixture)
{
    std::optional<ScopedVariable> roots;
    if (fixture && fixture->is_workspace_root)
        roots.emplace(favorites::workspace_roots_variable, fixture->location.string());
    auto environment = app::desktop_environment();
    environment.config_folder.reset();
    environment.live = false;
    return std::make_unique<app::FileExplorerWidget>(std::move(environment));
}

SceneFrames::SceneFrames(ui::Size size)
    : m_size(size)
{
    m_frame.now = ui::Clock::now();
    m_frame.text_scale = 1.0;
    m_frame.reduced_motion = false;
}

void SceneFrames::first_layout(ui::Widget& root)
{
    auto bounds = ui::Rect::from_size({}, m_size);
    ui::LayoutContext context { m_text, m_frame };
    for (int pass = 0; pass < 2; ++pass) {
        root.set_needs_redraw(false);
        root.sync(m_frame);
        root.build_layout(bounds, context);
        root.apply_layout(bounds);
        if (!root.needs_redraw())
            break;
    }
}

base::Result<void> SceneFrames::draw_and_wait_for_thumbnails(app::FileExplorerWidget& root)
{
    ui::RenderOptions options;
    options.size = m_size;
    options.theme = &ui::Theme::screenshot();
    options.frame = m_frame;
    (void)TRY(ui::OffscreenRenderer::render(root, options));
    auto const& thumbnails = root.thumbnails();
    if (!thumbnails)
        return {};
    auto const deadline = std::chrono::steady_clock::now() + thumbnail_wait_limit;
    while (thumbnails->pending() > 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(thumbnail_poll_interval);
    return {};
}

base::Result<ui::Image> SceneFrames::final_frame(ui::Widget& root)
{
    ui::RenderOptions options;
    options.size = m_size;
    options.theme = &ui::Theme::screenshot();
    options.frame = m_frame;
    return ui::OffscreenRenderer::render_resilient(root, options);
}

}
