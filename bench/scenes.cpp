// Time to render each screenshot scene (fixture, explorer, layout, drawing,
// PNG encoding and publishing) at 1280 x 800 in this process, in a
// demonstration home, against the baseline of an empty folder rendered the
// same way in the same run. The goal is under 300 ms for every scene but
// the two that wait for thumbnails; those are also shown cold (the first
// render, which decodes) beside the median of the warm renders, which find
// the thumbnails in the cache.
//
//   bench/scenes [runs]

#include "main/launch_spec.h"
#include "scenes/demo_home.h"
#include "scenes/scene_renderer.h"
#include "scenes/scene_table.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

namespace scenes = files::scenes;
using Clock = std::chrono::steady_clock;

constexpr double goal_ms = 300;

ui::LaunchArgs launch(std::vector<std::string> const& words)
{
    ui::LaunchSpec spec;
    spec.value_options = { "--size", "--path" };
    spec.scene_names.assign(files::entry::scene_names.begin(), files::entry::scene_names.end());
    auto args = ui::parse_command_line(spec, words);
    if (!args) {
        std::fprintf(stderr, "%s\n", args.error().text().c_str());
        std::exit(2);
    }
    return *args;
}

struct Timing {
    double cold_ms { 0 };
    double median_ms { 0 };
    bool failed { false };
    std::string error;
};

Timing time_scene(std::vector<std::string> const& words, int runs)
{
    Timing timing;
    auto args = launch(words);
    std::vector<double> samples;
    for (int run = 0; run < runs; ++run) {
        auto started = Clock::now();
        auto published = scenes::publish_scene(args);
        double ms = std::chrono::duration<double, std::milli>(Clock::now() - started).count();
        if (!published) {
            timing.failed = true;
            timing.error = published.error().text();
            return timing;
        }
        if (run == 0)
            timing.cold_ms = ms;
        else
            samples.push_back(ms);
    }
    if (samples.empty())
        samples.push_back(timing.cold_ms);
    std::ranges::sort(samples);
    timing.median_ms = samples[samples.size() / 2];
    return timing;
}

}

int main(int argc, char** argv)
{
    int runs = argc > 1 ? std::max(2, std::atoi(argv[1])) : 6;
    auto root = std::filesystem::temp_directory_path() / ("kesu-files-bench-scenes-" + std::to_string(::getpid()));
    auto home = root / "home";
    auto temp = root / "tmp";
    auto empty = root / "empty";
    std::filesystem::create_directories(temp);
    std::filesystem::create_directories(empty);
    scenes::build_demo_home(home);
    ::setenv("HOME", home.c_str(), 1);
    ::setenv("TMPDIR", temp.c_str(), 1);
    ::setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
    ::unsetenv("XDG_CONFIG_HOME");
    ::unsetenv("KESU_WORKSPACE_ROOTS");
    ::unsetenv("XDG_TEMPLATES_DIR");
    auto output = (root / "out" / "scene.png").string();

    auto baseline = time_scene({ "status", output, "--size", "1280x800", "--path", empty.string() }, runs);
    if (baseline.failed) {
        std::fprintf(stderr, "baseline failed: %s\n", baseline.error.c_str());
        return 1;
    }
    std::printf("bench/scenes: %d renders a scene at 1280x800, median of the renders after the first\n", runs);
    std::printf("baseline (empty folder): %.1f ms\n\n", baseline.median_ms);
    std::printf("| Scene | Median | Ratio | First render | Goal |\n|---|---|---|---|---|\n");
    int over = 0;
    for (auto const& scene : scenes::scene_table()) {
        std::string name(scene.name);
        if (!scene.unavailable.empty()) {
            std::printf("| %s | — | — | — | not available yet |\n", name.c_str());
            continue;
        }
        auto timing = time_scene({ name, output, "--size", "1280x800" }, runs);
        if (timing.failed) {
            std::printf("| %s | failed: %s | | | |\n", name.c_str(), timing.error.c_str());
            ++over;
            continue;
        }
        bool const waits = scene.thumbnails == scenes::ThumbnailWait::Yes;
        bool const met = timing.median_ms < goal_ms;
        if (!met && !waits)
            ++over;
        std::printf("| %s | %.1f ms | %.2f× | %.1f ms | %s |\n", name.c_str(), timing.median_ms,
            timing.median_ms / baseline.median_ms, timing.cold_ms,
            waits     ? "(waits for thumbnails)"
                : met ? "< 300 ms"
                      : "OVER 300 ms");
    }
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
    return over == 0 ? 0 : 1;
}
