// The GTK host in a real X server: one automation round trip through the
// window's own loop.

#include "host/host.h"
#include "support/automation_client.h"
#include "support/temp_dir.h"
#include "test_root.h"
#include "ui/image.h"

#include <csignal>
#include <ctime>
#include <fstream>
#include <iterator>
#include <thread>

#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// An Xvfb on the first free display number from 90, stopped on destruction.
class VirtualDisplay {
public:
    VirtualDisplay()
    {
        for (int number = 90; number < 140 && m_pid <= 0; ++number) {
            auto lock = "/tmp/.X" + std::to_string(number) + "-lock";
            auto socket = "/tmp/.X11-unix/X" + std::to_string(number);
            if (std::filesystem::exists(lock) || std::filesystem::exists(socket))
                continue;
            if (start(number, socket))
                m_name = ":" + std::to_string(number);
        }
    }
    ~VirtualDisplay()
    {
        if (m_pid <= 0)
            return;
        kill(m_pid, SIGTERM);
        int status = 0;
        waitpid(m_pid, &status, 0);
    }
    std::string const& name() const { return m_name; }

private:
    bool start(int number, std::string const& socket)
    {
        std::string display = ":" + std::to_string(number);
        char const* argv[] = { "Xvfb", display.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp", nullptr };
        pid_t pid = 0;
        if (posix_spawnp(&pid, "Xvfb", nullptr, nullptr, const_cast<char**>(argv), environ) != 0)
            return false;
        for (int wait = 0; wait < 200; ++wait) {
            if (std::filesystem::exists(socket)) {
                m_pid = pid;
                return true;
            }
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) == pid)
                return false; // it lost a race for the number
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        return false;
    }

    pid_t m_pid { -1 };
    std::string m_name;
};

}

TEST(GtkHost, SnapshotAndRenderThroughTheWindowLoop)
{
    VirtualDisplay display;
    if (display.name().empty())
        GTEST_SKIP() << "Xvfb could not be started";
    setenv("DISPLAY", display.name().c_str(), 1);
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("KESU_HOST");
    test_support::TempDir folder;
    auto socket = folder / "automation.sock";
    setenv("KESU_AUTOMATION_SOCKET", socket.c_str(), 1);

    auto created = host::create_gtk_host({ "so.kesu.test.gtk", "Files test", { 420, 260 } });
    ASSERT_TRUE(created) << created.error().text();
    auto& window = **created;
    host_test::TestRoot root;

    nlohmann::json shot;
    std::optional<ui::Image> image;
    std::string failure;
    double idle_cpu_ms = -1;
    // GTK wants the thread that initialised it, so the client runs aside.
    std::thread client_thread([&] {
        auto client = test_support::AutomationClient::connect(socket);
        if (!client) {
            failure = client.error().text();
            window.quit();
            return;
        }
        auto idle = client->request({ { "op", "wait_idle" }, { "timeout", 5000 } });
        auto invoked = client->request({ { "op", "invoke" }, { "action_id", "kesu.ui.control.invoke" }, { "kind", 2 },
            { "payload", "\"test.press\"" } });
        client->request({ { "op", "wait_idle" }, { "timeout", 5000 } });
        auto snapshot = client->request({ { "op", "snapshot" } });
        // At rest the window's loop sleeps: almost no processor time passes.
        timespec before {}, after {};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &before);
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &after);
        idle_cpu_ms = (after.tv_sec - before.tv_sec) * 1000.0 + (after.tv_nsec - before.tv_nsec) / 1e6;
        auto png = folder / "gtk.png";
        auto rendered = client->request({ { "op", "render" }, { "path", png.string() } });
        if (!idle || !(*idle)["ok"].get<bool>() || !snapshot || !rendered || !(*rendered)["ok"].get<bool>()) {
            failure = "round trip failed: " + (idle ? idle->dump() : idle.error().text()) + " "
                + (snapshot ? snapshot->dump() : snapshot.error().text()) + " "
                + (rendered ? rendered->dump() : rendered.error().text());
        } else {
            shot = (*snapshot)["snapshot"];
            std::ifstream file(png, std::ios::binary);
            auto decoded = ui::decode_png({ std::istreambuf_iterator<char>(file), {} });
            if (decoded)
                image = *decoded;
        }
        client->request({ { "op", "quit" } });
    });
    auto ran = window.run(root);
    client_thread.join();
    unsetenv("KESU_AUTOMATION_SOCKET");

    ASSERT_TRUE(ran) << ran.error().text();
    ASSERT_EQ(failure, "");
    EXPECT_EQ(shot["presses"], 1);
    EXPECT_GE(idle_cpu_ms, 0);
    EXPECT_LT(idle_cpu_ms, 100) << "the loop spins while nothing changes";
    EXPECT_GE(shot["draws"].get<int>(), 1) << "the drawing area painted the tree";
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width(), shot["size"][0].get<int>());
    EXPECT_EQ(image->height(), shot["size"][1].get<int>());
    EXPECT_EQ(image->pixel(50, 40), host_test::pressed_colour);
}
