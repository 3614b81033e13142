// Which host create_host picks. Every case here must end up headless, so a
// display that does not exist is never opened: choosing GTK would fail.

#include "host/host.h"
#include "support/automation_client.h"
#include "support/temp_dir.h"
#include "test_root.h"

#include <cstdlib>
#include <thread>

#include <gtest/gtest.h>

TEST(HostSelection, HeadlessWithoutADisplayOrWhenAskedFor)
{
    struct Case {
        char const* name;
        char const* display;
        char const* wayland;
        char const* choice;
    };
    Case const cases[] = {
        { "no display at all", nullptr, nullptr, nullptr },
        { "empty display variables", "", "", nullptr },
        { "asked for headless with an X display", ":4711", nullptr, "headless" },
        { "asked for headless with a Wayland display", nullptr, "wayland-4711", "headless" },
    };
    auto set = [](char const* name, char const* value) {
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        set("DISPLAY", c.display);
        set("WAYLAND_DISPLAY", c.wayland);
        set("KESU_HOST", c.choice);
        test_support::TempDir folder;
        auto socket = folder / "automation.sock";
        setenv("KESU_AUTOMATION_SOCKET", socket.c_str(), 1);

        auto created = host::create_host({ "so.kesu.test", "Test", { 320, 200 } });
        ASSERT_TRUE(created) << created.error().text();
        host_test::TestRoot root;
        base::Result<void> ran;
        std::thread loop([&] { ran = (*created)->run(root); });
        auto client = test_support::AutomationClient::connect(socket);
        auto size = client ? client->request({ { "op", "size" } }) : std::unexpected(client.error());
        (*created)->quit();
        loop.join();
        ASSERT_TRUE(size) << size.error().text();
        EXPECT_EQ((*size)["width"], 320);
        EXPECT_TRUE(ran);
    }
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("KESU_HOST");
    unsetenv("KESU_AUTOMATION_SOCKET");
}
