#include "host/host.h"

#include <cstdlib>
#include <string_view>

#include <spdlog/spdlog.h>

namespace host {

Host::~Host() = default;

namespace {

    bool environment_set(char const* name)
    {
        char const* value = std::getenv(name);
        return value && *value;
    }

}

base::Result<std::unique_ptr<Host>> create_host(WindowOptions options)
{
    char const* choice = std::getenv("KESU_HOST");
    bool headless = choice && std::string_view(choice) == "headless";
    bool display = environment_set("WAYLAND_DISPLAY") || environment_set("DISPLAY");
    if (!headless && !display)
        spdlog::warn("no display to open a window on (DISPLAY and WAYLAND_DISPLAY are not set): "
                     "running without a window, reachable only through the automation endpoint");
    if (headless || !display)
        return create_headless_host(std::move(options));
    return create_gtk_host(std::move(options));
}

}
