// The process entry of Files: hands the toolkit the launch specification and
// returns when its run ends.

#include "launch/run.h"
#include "main/launch_spec.h"

#include <cstdio>
#include <string>
#include <vector>

#include <spdlog/sinks/stdout_color_sinks.h>
#include <spdlog/spdlog.h>

int main(int argc, char** argv)
{
    // Diagnostics go to standard error: standard output carries what the
    // program is asked for, such as the one line naming a rendered scene.
    spdlog::set_default_logger(spdlog::stderr_color_mt("kesu-files"));
    spdlog::set_pattern("%Y-%m-%dT%H:%M:%S.%e %^%l%$ %v");
    std::vector<std::string> arguments(argv + 1, argv + argc);
    auto result = ui::run(files::entry::make_launch_spec(), arguments);
    if (!result) {
        std::fprintf(stderr, "Error: %s\n", result.error().text().c_str());
        return 1;
    }
    return 0;
}
