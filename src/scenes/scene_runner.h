#pragma once

// Rendering scenes the way a user or a build does: each one by its own
// process of the program, in an environment with no display and no
// configuration. `make scenes`, the scene tests and anyone checking the
// pictures by hand share this.

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace files::scenes {

struct SceneJob {
    std::string scene;
    std::string size; // the --size text
    std::filesystem::path output;
};

struct SceneRunSettings {
    std::filesystem::path program;
    // HOME of the renderer.
    std::filesystem::path home;
    // Each job gets its own state, data and cache folders below it, and its
    // own temporary folder, so jobs running side by side never share a
    // fixture folder.
    std::filesystem::path scratch;
    // When set, every job uses this temporary folder instead (the pictures
    // then show short fixture paths), and jobs whose scenes build the same
    // fixture never run at the same time.
    std::optional<std::filesystem::path> shared_temp;
};

struct SceneRunResult {
    SceneJob job;
    // The exit status, or -1 when the process could not be started or did
    // not exit normally.
    int exit_status { -1 };
    std::string standard_output;
    std::string standard_error;
    double seconds { 0 };
};

// Runs every job, at most `parallel` at a time, and returns the results in
// job order.
std::vector<SceneRunResult> run_scene_jobs(
    SceneRunSettings const& settings, std::span<SceneJob const> jobs, unsigned parallel);

}
