#include "scenes/scene_runner.h"

#include "scenes/scene_table.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iterator>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

namespace files::scenes {

namespace {

    using Clock = std::chrono::steady_clock;

    struct Running {
        std::size_t job;
        pid_t pid;
        Clock::time_point started;
    };

    std::string read_all(std::filesystem::path const& path)
    {
        std::string text;
        if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
            char buffer[4096];
            for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
                text.append(buffer, got);
            std::fclose(file);
        }
        return text;
    }

    std::filesystem::path job_folder(SceneRunSettings const& settings, std::size_t job)
    {
        return settings.scratch / ("job-" + std::to_string(job));
    }

    std::vector<std::string> job_environment(SceneRunSettings const& settings, std::filesystem::path const& folder)
    {
        // No DISPLAY and no WAYLAND_DISPLAY: scenes never need a window.
        auto temp = settings.shared_temp.value_or(folder / "tmp");
        return {
            "HOME=" + settings.home.string(),
            "TMPDIR=" + temp.string(),
            "XDG_STATE_HOME=" + (folder / "state").string(),
            "XDG_DATA_HOME=" + (folder / "data").string(),
            "XDG_CACHE_HOME=" + (folder / "cache").string(),
            "LANG=en_US.UTF-8",
            "TZ=UTC",
            "PATH=/usr/bin:/bin",
        };
    }

    std::optional<Running> start(SceneRunSettings const& settings, SceneJob const& job, std::size_t index)
    {
        auto folder = job_folder(settings, index);
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
        std::filesystem::create_directories(folder / "tmp", ignored);

        auto environment = job_environment(settings, folder);
        std::vector<char*> envp;
        for (auto& entry : environment)
            envp.push_back(entry.data());
        envp.push_back(nullptr);
        std::vector<std::string> arguments { settings.program.string(), job.scene, job.output.string(), "--size",
            job.size };
        std::vector<char*> argv;
        for (auto& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);

        auto out = (folder / "stdout").string();
        auto err = (folder / "stderr").string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        pid_t pid = -1;
        auto started = Clock::now();
        int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        if (spawned != 0)
            return std::nullopt;
        return Running { index, pid, started };
    }

    SceneFixture fixture_of(SceneJob const& job)
    {
        auto const* scene = find_scene(job.scene);
        return scene ? scene->fixture : SceneFixture::None;
    }

    // The first waiting job that may start now: with a shared temporary
    // folder, not one whose fixture a running job is using.
    std::optional<std::size_t> next_job(SceneRunSettings const& settings, std::span<SceneJob const> jobs,
        std::vector<std::size_t> const& waiting, std::vector<Running> const& running)
    {
        for (std::size_t i = 0; i < waiting.size(); ++i) {
            auto fixture = fixture_of(jobs[waiting[i]]);
            bool busy = settings.shared_temp && fixture != SceneFixture::None
                && std::ranges::any_of(
                    running, [&](Running const& other) { return fixture_of(jobs[other.job]) == fixture; });
            if (!busy)
                return i;
        }
        return std::nullopt;
    }

    void finish(SceneRunSettings const& settings, Running const& running, int status, SceneRunResult& result)
    {
        result.seconds = std::chrono::duration<double>(Clock::now() - running.started).count();
        result.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        auto folder = job_folder(settings, running.job);
        result.standard_output = read_all(folder / "stdout");
        result.standard_error = read_all(folder / "stderr");
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

}

std::vector<SceneRunResult> run_scene_jobs(
    SceneRunSettings const& settings, std::span<SceneJob const> jobs, unsigned parallel)
{
    std::vector<SceneRunResult> results(jobs.size());
    std::vector<std::size_t> waiting(jobs.size());
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        waiting[i] = i;
        results[i].job = jobs[i];
    }
    std::vector<Running> running;
    parallel = std::max(parallel, 1u);
    while (!waiting.empty() || !running.empty()) {
        while (running.size() < parallel) {
            auto chosen = next_job(settings, jobs, waiting, running);
            if (!chosen)
                break;
            auto job = waiting[*chosen];
            waiting.erase(waiting.begin() + static_cast<std::ptrdiff_t>(*chosen));
            if (auto started = start(settings, jobs[job], job))
                running.push_back(*started);
            else
                results[job].standard_error = "cannot start " + settings.program.string();
        }
        if (running.empty())
            continue;
        int status = 0;
        pid_t done = ::waitpid(-1, &status, 0);
        if (done < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        for (auto it = running.begin(); it != running.end(); ++it) {
            if (it->pid == done) {
                finish(settings, *it, status, results[it->job]);
                running.erase(it);
                break;
            }
        }
    }
    return results;
}

}
