#include "host/host.h"

#include <cstdlib>
#include <string_view>

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
    if (headless || !display)
        return create_headless_host(std::move(options));
    return create_gtk_host(std::move(options));
}

}
