#include "scenes/scene_renderer.h"

#include "app/file_explorer_widget.h"
#include "scenes/fixtures.h"
#include "scenes/output_size.h"
#include "services/atomic_file.h"

#include <cstdio>

#include <fmt/format.h>

namespace files::scenes {

namespace {

    // The largest side the off-screen renderer draws.
    constexpr double max_scene_side = 16384;

    base::Result<Scene const*> scene_to_render(ui::LaunchArgs const& args)
    {
        if (!args.scene())
            return base::fail("no scene to render");
        auto const* scene = find_scene(*args.scene());
        if (!scene)
            return base::fail("unknown scene \"" + *args.scene() + "\"");
        if (!scene->unavailable.empty())
            return base::fail(fmt::format("{}: {}", scene->name, scene->unavailable));
        return scene;
    }

    base::Result<ui::Size> checked_size(ui::LaunchArgs const& args)
    {
        auto size = scene_output_size(args.value("--size"));
        auto valid = [](double side) { return side >= 1 && side <= max_scene_side; };
        if (!valid(size.width) || !valid(size.height))
            return base::fail(fmt::format("cannot render a scene at {}x{}: each side must be 1 to {} pixels",
                size.width, size.height, max_scene_side));
        return size;
    }

}

ArrangedScene::ArrangedScene() = default;
ArrangedScene::ArrangedScene(ArrangedScene&&) noexcept = default;
ArrangedScene& ArrangedScene::operator=(ArrangedScene&&) noexcept = default;
ArrangedScene::~ArrangedScene() = default;

base::Result<ArrangedScene> arrange_scene(ui::LaunchArgs const& args)
{
    if (!args.scene_output())
        return base::fail("no output path for the scene");
    ArrangedScene arranged;
    arranged.output = *args.scene_output();
    arranged.scene = TRY(scene_to_render(args));
    auto const size = TRY(checked_size(args));
    auto const& scene = *arranged.scene;

    auto fixture = TRY(build_fixture(scene.fixture, std::filesystem::temp_directory_path()));
    arranged.root = detail::construct_explorer(fixture);
    auto& root = *arranged.root;
    if (fixture)
        root.navigate(fixture->location);
    else if (auto folder = args.value("--path"))
        root.navigate(*folder);
    if (scene.view == SceneView::Grid)
        root.mutable_state().view_mode = app::ViewMode::Grid;
    if (scene.before_first_frame)
        scene.before_first_frame(root);

    arranged.frames = std::make_unique<detail::SceneFrames>(size);
    arranged.frames->first_layout(root);
    if (scene.after_first_layout)
        scene.after_first_layout(root, size);
    return arranged;
}

base::Result<ui::Image> draw_scene(ArrangedScene& arranged)
{
    if (arranged.scene->thumbnails == ThumbnailWait::Yes)
        TRY_VOID(arranged.frames->draw_and_wait_for_thumbnails(*arranged.root));
    return arranged.frames->final_frame(*arranged.root);
}

base::Result<std::filesystem::path> publish_scene(ui::LaunchArgs const& args)
{
    auto arranged = TRY(arrange_scene(args));
    auto image = TRY(draw_scene(arranged));
    auto png = TRY(ui::encode_png(image));
    std::error_code ignored;
    if (arranged.output.has_parent_path())
        std::filesystem::create_directories(arranged.output.parent_path(), ignored);
    if (auto published = services::write_creating_parent(arranged.output, png); !published)
        return base::fail("atomically publish png: " + published.error().text());
    return arranged.output;
}

base::Result<void> render_scene(ui::LaunchArgs const& args)
{
    auto output = TRY(publish_scene(args));
    std::printf("file-explorer: wrote shot to %s\n", output.c_str());
    std::fflush(stdout);
    return {};
}

}
