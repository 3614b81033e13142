// Start-up to the first frame: the real program, started headless on a
// folder of 1,000 entries, against the same program on an empty folder in
// the same run (runs alternate, so both see the same machine).
//
// "First frame" is the moment the endpoint answers the first `wait_idle`
// with the folder listed: the process has started, read its state, listed
// the folder, laid out and painted one 1280 x 800 frame, and has nothing
// left to draw. The clock starts just before the process is spawned.
//
//   bench/startup [runs] [entries]

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

std::filesystem::path build_folder()
{
    std::error_code ec;
    // bench/startup lives in build/bench.
    return std::filesystem::read_symlink("/proc/self/exe", ec).parent_path().parent_path();
}

int connect_to(std::filesystem::path const& socket_path)
{
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socket_path.c_str());
    if (connect(fd, reinterpret_cast<sockaddr const*>(&address), sizeof address) == 0)
        return fd;
    close(fd);
    return -1;
}

std::string ask(int fd, std::string const& request)
{
    std::string line = request + "\n";
    if (write(fd, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
        return {};
    std::string answer;
    char buffer[65536];
    while (answer.find('\n') == std::string::npos) {
        ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return {};
        answer.append(buffer, static_cast<std::size_t>(got));
    }
    return answer;
}

struct Run {
    double milliseconds { -1 };
    bool listed { false };
};

// One start of the program on `folder`; `entries` is what the first frame
// must show.
Run start_once(std::filesystem::path const& scratch, std::filesystem::path const& folder, std::size_t entries)
{
    auto socket_path = scratch / "automation.sock";
    std::filesystem::remove(socket_path);
    auto program = (build_folder() / "kesu-files").string();
    std::vector<std::string> env_strings { "KESU_HOST=headless", "KESU_AUTOMATION_SOCKET=" + socket_path.string(),
        "HOME=" + (scratch / "home").string(), "XDG_CONFIG_HOME=" + (scratch / "config").string(),
        "XDG_STATE_HOME=" + (scratch / "state").string(), "XDG_DATA_HOME=" + (scratch / "data").string(),
        "XDG_CACHE_HOME=" + (scratch / "cache").string(), "KESU_WORKSPACE_ROOTS=", "LANG=C.UTF-8",
        "PATH=/usr/bin:/bin" };
    std::vector<char*> env;
    for (auto& e : env_strings)
        env.push_back(e.data());
    env.push_back(nullptr);
    std::string folder_text = folder.string();
    char* argv[] = { program.data(), folder_text.data(), nullptr };
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    Run run;
    auto started = Clock::now();
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, env.data()) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        return run;
    }
    posix_spawn_file_actions_destroy(&actions);
    int fd = -1;
    while (fd < 0 && Clock::now() - started < std::chrono::seconds(20)) {
        fd = connect_to(socket_path);
        if (fd < 0)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    if (fd >= 0) {
        auto idle = ask(fd, R"({"op":"wait_idle","timeout":20000})");
        auto painted = Clock::now();
        auto snapshot = ask(fd, R"({"op":"snapshot"})");
        std::string count = "\"entry_count\":" + std::to_string(entries) + ",";
        run.listed = idle.find("\"ok\":true") != std::string::npos && snapshot.find(count) != std::string::npos
            && snapshot.find("\"ready\":true") != std::string::npos;
        run.milliseconds = std::chrono::duration<double, std::milli>(painted - started).count();
        ask(fd, R"({"op":"quit"})");
        close(fd);
    }
    int status = 0;
    auto deadline = Clock::now() + std::chrono::seconds(5);
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (Clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return run;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}

int main(int argc, char** argv)
{
    int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    std::size_t entries = argc > 2 ? static_cast<std::size_t>(std::max(1, std::atoi(argv[2]))) : 1000;

    char pattern[] = "/tmp/kesu-files-bench-startup-XXXXXX";
    if (!mkdtemp(pattern)) {
        std::perror("mkdtemp");
        return 1;
    }
    std::filesystem::path scratch = pattern;
    auto empty = scratch / "empty";
    auto full = scratch / "full";
    std::filesystem::create_directories(empty);
    std::filesystem::create_directories(full);
    static char const* const extensions[] = { ".txt", ".pdf", ".jpg", ".tar.gz", ".odt", "" };
    for (std::size_t i = 0; i < entries; ++i) {
        if (i % 10 == 9) {
            std::filesystem::create_directory(full / ("Folder " + std::to_string(i)));
            continue;
        }
        std::ofstream(full / ("Document " + std::to_string(i) + extensions[i % 6])) << "content " << i;
    }

    // One start each first, so neither case pays for a cold page cache.
    start_once(scratch, empty, 0);
    start_once(scratch, full, entries);
    std::vector<double> empty_times, full_times;
    bool all_listed = true;
    for (int i = 0; i < runs; ++i) {
        auto a = start_once(scratch, empty, 0);
        auto b = start_once(scratch, full, entries);
        all_listed = all_listed && a.listed && b.listed;
        empty_times.push_back(a.milliseconds);
        full_times.push_back(b.milliseconds);
    }
    std::error_code ignored;
    std::filesystem::remove_all(scratch, ignored);
    if (!all_listed) {
        std::fprintf(stderr, "startup: a first frame did not show its folder\n");
        return 1;
    }

    double e = median(empty_times);
    double f = median(full_times);
    std::printf("start-up to first frame, median of %d runs (headless, 1280x800)\n", runs);
    std::printf("  empty folder        %7.1f ms (min %.1f, max %.1f)\n", e,
        *std::min_element(empty_times.begin(), empty_times.end()),
        *std::max_element(empty_times.begin(), empty_times.end()));
    std::printf("  %5zu entries       %7.1f ms (min %.1f, max %.1f)\n", entries, f,
        *std::min_element(full_times.begin(), full_times.end()),
        *std::max_element(full_times.begin(), full_times.end()));
    std::printf("  ratio %.2fx, the entries add %.1f ms; goal: under 200 ms\n", f / e, f - e);
    return 0;
}
