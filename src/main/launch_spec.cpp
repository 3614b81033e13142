#include "main/launch_spec.h"

#include "app/file_explorer_widget.h"
#include "app/startup.h"
#include "i18n/translate.h"
#include "scenes/scene_renderer.h"
#include "services/app_state.h"
#include "services/diag.h"

#include <cstdlib>

#include <unistd.h>

namespace files::entry {

ui::Size default_window_size() { return { 1280, 800 }; }

base::Result<ui::PersistedState> open_persisted_state()
{
    auto opened = TRY(persist::open(application_id));
    auto actor = app::choose_actor_id(app::process_environment(), opened.document->actor());
    diag::write_line("persisted state actor: " + actor);
    opened.document->set_actor(std::vector<std::uint8_t>(actor.begin(), actor.end()));
    return ui::PersistedState { std::move(opened.document), std::move(opened.writer) };
}

base::Result<std::unique_ptr<ui::Widget>> create_root_widget(ui::LaunchArgs const& args)
{
    bool const share_mode = app::share_mode_requested(args.arguments());
    std::optional<std::string> share_notice;
    if (share_mode) {
        // The link is read before the explorer exists, so it is resolved
        // before the first frame.
        auto read = app::read_share_link(STDIN_FILENO);
        if (auto const* refusal = std::get_if<app::ShareLinkRefusal>(&read))
            share_notice = i18n::translate(refusal->message_id);
        else
            share_notice = "Opening shared links is not available in this build";
    }

    auto explorer = std::make_unique<app::FileExplorerWidget>(app::desktop_environment());
    if (share_notice) {
        explorer->set_notice(*share_notice);
    } else if (!args.paths_to_open().empty()) {
        std::string failure;
        auto absolute = app::absolute_path_to_open(args.paths_to_open().front(), &failure);
        if (!absolute)
            return base::fail(failure);
        explorer->navigate(*absolute);
    }
    return explorer;
}

ui::LaunchSpec make_launch_spec()
{
    ui::LaunchSpec spec;
    spec.app_id = application_id;
    spec.value_options = { "--size", "--path" };
    spec.flag_options = { "--open-share-stdin" };
    spec.scene_names.assign(scene_names.begin(), scene_names.end());
    spec.default_window_size = default_window_size;
    spec.open_persisted_state = open_persisted_state;
    spec.root_factory = create_root_widget;
    spec.render_scene = scenes::render_scene;
    return spec;
}

}
