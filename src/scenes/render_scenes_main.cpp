// render-scenes PROGRAM OUTPUT_FOLDER [WIDTHxHEIGHT ...]
//
// Renders every screenshot scene with PROGRAM (the kesu-files binary) at each
// size (1280x800 and 800x600 unless given) into OUTPUT_FOLDER/SIZE/SCENE.png,
// in a demonstration home with no display and no configuration, and prints
// one line per picture. Exits with status 1 when any scene failed.

#include "main/launch_spec.h"
#include "scenes/demo_home.h"
#include "scenes/scene_runner.h"
#include "scenes/scene_table.h"

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: render-scenes PROGRAM OUTPUT_FOLDER [WIDTHxHEIGHT ...]\n");
        return 2;
    }
    std::filesystem::path program = std::filesystem::absolute(argv[1]);
    std::filesystem::path output = std::filesystem::absolute(argv[2]);
    std::vector<std::string> sizes(argv + 3, argv + argc);
    if (sizes.empty())
        sizes = { "1280x800", "800x600" };

    auto temp = std::filesystem::temp_directory_path();
    auto scratch = temp / ("kesu-files-render-scenes-" + std::to_string(::getpid()));
    // A short home, so the pictures that show its path show all of it.
    files::scenes::SceneRunSettings settings { program, temp / "kesu-home" / "alex", scratch, temp };
    files::scenes::build_demo_home(settings.home);

    std::vector<files::scenes::SceneJob> jobs;
    for (auto const& size : sizes) {
        for (auto scene : files::entry::scene_names)
            jobs.push_back({ std::string(scene), size, output / size / (std::string(scene) + ".png") });
    }
    auto results = files::scenes::run_scene_jobs(settings, jobs, std::max(1u, std::thread::hardware_concurrency()));

    int written = 0;
    int skipped = 0;
    int failed = 0;
    for (auto const& result : results) {
        if (result.exit_status == 0) {
            ++written;
            std::printf("%-15s %-9s %6.0f ms  %s\n", result.job.scene.c_str(), result.job.size.c_str(),
                result.seconds * 1000, result.job.output.c_str());
            continue;
        }
        auto const* scene = files::scenes::find_scene(result.job.scene);
        bool const expected = scene && !scene->unavailable.empty();
        (expected ? skipped : failed) += 1;
        auto message = result.standard_error;
        while (!message.empty() && message.back() == '\n')
            message.pop_back();
        std::printf("%-15s %-9s %s %s\n", result.job.scene.c_str(), result.job.size.c_str(),
            expected ? "SKIPPED  " : "FAILED   ", message.c_str());
    }
    std::error_code ignored;
    std::filesystem::remove_all(scratch, ignored);
    std::filesystem::remove_all(settings.home.parent_path(), ignored);
    std::printf("%d pictures written, %d skipped, %d failed\n", written, skipped, failed);
    return failed == 0 ? 0 : 1;
}
