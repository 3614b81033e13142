#include "app/startup.h"

#include <filesystem>
#include <map>
#include <thread>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

using files::app::ShareLinkRead;
using files::app::ShareLinkRefusal;

namespace {

files::app::EnvironmentLookup environment(std::map<std::string, std::string> values)
{
    return [values = std::move(values)](char const* name) -> std::optional<std::string> {
        auto it = values.find(name);
        if (it == values.end())
            return std::nullopt;
        return it->second;
    };
}

// Feeds `bytes` through a pipe from a writer thread so reads see short
// counts the way a real standard input does.
ShareLinkRead read_through_pipe(std::string const& bytes)
{
    int fds[2];
    EXPECT_EQ(pipe(fds), 0);
    std::thread writer([fd = fds[1], bytes] {
        std::size_t done = 0;
        while (done < bytes.size()) {
            auto n = write(fd, bytes.data() + done, std::min<std::size_t>(1000, bytes.size() - done));
            if (n <= 0)
                break;
            done += static_cast<std::size_t>(n);
        }
        close(fd);
    });
    auto result = files::app::read_share_link(fds[0]);
    close(fds[0]);
    writer.join();
    return result;
}

}

TEST(Startup, ChoosesActorId)
{
    std::vector<std::uint8_t> actor { 0xde, 0xad, 0xbe, 0xef, 0x01, 0x23, 0x45, 0x67, 0x89 };
    struct Case {
        char const* name;
        std::map<std::string, std::string> env;
        std::string expected;
    };
    Case const cases[] = {
        { "app id wins unchanged", { { "QUICK_APP_ID", "app-7" }, { "KESU_USER_ID", "u1" } }, "app-7" },
        { "empty app id falls to the user", { { "QUICK_APP_ID", "" }, { "KESU_USER_ID", "u1" } }, "files-u1" },
        { "invalid text counts as unset", { { "QUICK_APP_ID", "\xff\xfe" }, { "KESU_USER_ID", "u2" } }, "files-u2" },
        { "neither: 12 hex digits of the actor", {}, "files-deadbeef0123" },
        { "empty user falls to the actor", { { "KESU_USER_ID", "" } }, "files-deadbeef0123" },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(files::app::choose_actor_id(environment(c.env), actor), c.expected);
    }
}

TEST(Startup, ReadsShareLinkWithinItsBound)
{
    struct Case {
        char const* name;
        std::string input;
        ShareLinkRead expected;
    };
    std::string exact(16384, 'a');
    Case const cases[] = {
        { "exactly 16384 bytes accepted", exact, exact },
        { "16385 bytes refused", exact + "a", ShareLinkRefusal { "files-received-link-too-large" } },
        { "CR LF trimmed", "kesu://share/1\r\n", std::string("kesu://share/1") },
        { "space before LF kept", "kesu://share/1 \n", std::string("kesu://share/1 ") },
        { "leading space kept", " link\n", std::string(" link") },
        { "lone LF is empty", "\n", ShareLinkRefusal { "files-received-link-empty" } },
        { "nothing is empty", "", ShareLinkRefusal { "files-received-link-empty" } },
        { "invalid UTF-8", "link\xc3(\n", ShareLinkRefusal { "files-received-link-invalid-text" } },
        { "bound counts before trimming", exact + "\n", ShareLinkRefusal { "files-received-link-too-large" } },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(read_through_pipe(c.input), c.expected);
    }
}

TEST(Startup, ReadFailureIsReported)
{
    int fd = open("/", O_RDONLY | O_DIRECTORY);
    ASSERT_GE(fd, 0);
    // Reading a folder descriptor fails with EISDIR.
    EXPECT_EQ(files::app::read_share_link(fd), ShareLinkRead(ShareLinkRefusal { "files-received-link-read-failed" }));
    close(fd);
}

TEST(Startup, ShareModeAndPathToOpen)
{
    EXPECT_TRUE(files::app::share_mode_requested({ "/tmp", "--open-share-stdin" }));
    EXPECT_FALSE(files::app::share_mode_requested({ "--open-share-stdin=1", "/tmp" }));

    std::string failure;
    EXPECT_FALSE(files::app::absolute_path_to_open("", &failure));
    EXPECT_EQ(failure, "cannot make an empty path absolute");

    auto cwd = std::filesystem::current_path();
    EXPECT_EQ(files::app::absolute_path_to_open("no/such/thing", &failure), (cwd / "no/such/thing").string());
    EXPECT_EQ(files::app::absolute_path_to_open("/tmp/../x", &failure), "/tmp/../x");
}
