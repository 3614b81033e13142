#include "ui/desktop.h"

#include "ui/utf8.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace ui {

namespace {

// Answers for a process without a window: records nothing visible, opens
// nothing, and says so.
class StandInDesktop final : public Desktop {
public:
    void copy_text(std::string const& text) override
    {
        std::lock_guard lock(m_mutex);
        m_clipboard = text;
    }
    std::optional<std::string> paste_text() override
    {
        std::lock_guard lock(m_mutex);
        return m_clipboard;
    }
    base::Result<void> open_file(std::filesystem::path const& path) override
    {
        TRY_VOID(check_opener_path(path));
        return base::fail("no desktop opener is available");
    }
    base::Result<void> start_program_in(std::string const& program, std::filesystem::path const& folder) override
    {
        return spawn_detached(program, folder);
    }
    void start_file_drag(std::vector<std::filesystem::path> const&) override { }
    std::chrono::milliseconds double_click_interval() const override { return std::chrono::milliseconds(400); }
    double text_scale() const override { return 1.0; }
    bool reduced_motion() const override { return false; }
    void wake() override { }

private:
    std::mutex m_mutex;
    std::optional<std::string> m_clipboard;
};

StandInDesktop& stand_in()
{
    static StandInDesktop instance;
    return instance;
}

std::atomic<Desktop*> installed { nullptr };

}

Desktop& desktop()
{
    if (auto* d = installed.load(std::memory_order_acquire))
        return *d;
    return stand_in();
}

void install_desktop(Desktop* instance) { installed.store(instance, std::memory_order_release); }

base::Result<void> check_opener_path(std::filesystem::path const& path)
{
    if (!is_valid_utf8(path.native()))
        return base::fail("the desktop opener takes UTF-8 paths");
    return {};
}

base::Result<void> spawn_detached(std::string const& program, std::filesystem::path const& folder)
{
    // posix_spawnp reports a program that cannot be started as an error, which
    // a double fork would hide.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    int rc = posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    if (rc != 0) {
        posix_spawn_file_actions_destroy(&actions);
        return base::fail_errno(rc);
    }
    pid_t pid = 0;
    char* argv[] = { const_cast<char*>(program.c_str()), nullptr };
    rc = posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        return base::fail_errno(rc);
    // A detached waiter reaps the child so it never lingers as a zombie.
    std::thread([pid] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) { }
    }).detach();
    return {};
}

}
