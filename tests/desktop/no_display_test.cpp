// What a person sees who starts the program where no window can open: over
// ssh without X forwarding, or with a DISPLAY left over from another session.

#include "support/automation_client.h"
#include "support/temp_dir.h"

#include <csignal>
#include <cstdlib>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::filesystem::path program()
{
    char const* build = std::getenv("FILES_BINARY_DIR");
    return (build ? std::filesystem::path(build) : std::filesystem::current_path()) / "kesu-files";
}

// Starts the program on /tmp with `display` set (or unset), standard error
// to `log`.
pid_t start(test_support::TempDir const& dir, char const* display, std::filesystem::path const& log)
{
    std::filesystem::create_directories(dir / "run");
    std::vector<std::string> env_strings { "HOME=" + (dir / "home").string(),
        "XDG_CONFIG_HOME=" + (dir / "config").string(), "XDG_STATE_HOME=" + (dir / "state").string(),
        "XDG_DATA_HOME=" + (dir / "data").string(), "KESU_AUTOMATION_SOCKET=" + (dir / "run" / "endpoint").string(),
        "LANG=C.UTF-8", "PATH=/usr/bin:/bin" };
    if (display)
        env_strings.push_back(std::string("DISPLAY=") + display);
    std::vector<char*> env;
    for (auto& e : env_strings)
        env.push_back(e.data());
    env.push_back(nullptr);
    auto binary = program().string();
    std::string folder = "/tmp";
    char* argv[] = { binary.data(), folder.data(), nullptr };
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    pid_t pid = -1;
    EXPECT_EQ(posix_spawn(&pid, binary.c_str(), &actions, nullptr, argv, env.data()), 0);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

int wait_for_exit(pid_t pid)
{
    int status = 0;
    for (int i = 0; i < 1000; ++i) {
        if (waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        usleep(10'000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return -1;
}

}

TEST(NoDisplay, AStaleDisplayIsNamedInTheError)
{
    test_support::TempDir dir;
    auto log = dir / "log";
    // A display number no server here uses.
    auto pid = start(dir, ":4711", log);
    ASSERT_GT(pid, 0);
    EXPECT_EQ(wait_for_exit(pid), 1);
    auto text = test_support::read_file(log);
    EXPECT_NE(text.find("Error: cannot open the display :4711 for the window\n"), std::string::npos) << text;
}

TEST(NoDisplay, WithoutADisplayItSaysSoAndRunsHeadless)
{
    test_support::TempDir dir;
    auto log = dir / "log";
    auto pid = start(dir, nullptr, log);
    ASSERT_GT(pid, 0);
    auto client = test_support::AutomationClient::connect(dir / "run" / "endpoint");
    ASSERT_TRUE(client) << client.error().text();
    EXPECT_TRUE((*client->request({ { "op", "quit" } }))["ok"].get<bool>());
    EXPECT_EQ(wait_for_exit(pid), 0);
    auto text = test_support::read_file(log);
    EXPECT_NE(text.find("no display to open a window on (DISPLAY and WAYLAND_DISPLAY are not set)"), std::string::npos)
        << text;
}
