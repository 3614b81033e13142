#include "launch/run.h"

#include "host/host.h"
#include "services/app_state.h"
#include "ui/widget.h"

namespace ui {

base::Result<void> run(LaunchSpec const& spec, std::vector<std::string> const& arguments)
{
    auto args = TRY(parse_command_line(spec, arguments));
    // The state stays open for the whole run so the document outlives every
    // callback that may read it.
    PersistedState state;
    if (spec.open_persisted_state)
        state = TRY(spec.open_persisted_state());

    if (args.scene()) {
        if (!spec.render_scene)
            return base::fail("this program renders no scenes");
        return spec.render_scene(args);
    }

    if (!spec.root_factory)
        return base::fail("this program has no window");
    auto root = TRY(spec.root_factory(args));
    host::WindowOptions options;
    options.app_id = spec.app_id;
    options.title = "Files";
    if (spec.default_window_size)
        options.size = spec.default_window_size();
    auto window_host = TRY(host::create_host(options));
    return window_host->run(*root);
}

}
