// What the endpoint does with bad requests and strangers: a JSON error for
// every malformed line, the connection and the host still answering, and
// another user's connection closed before it is read.

#include "host/automation_socket.h"
#include "running_host.h"

#include <cerrno>
#include <cstring>

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

using host_test::RunningHost;
using nlohmann::json;

namespace {

struct GarbageCase {
    char const* name;
    std::string line;
    std::string error;
};

std::vector<GarbageCase> garbage_cases()
{
    return {
        { "not json", "hello there", "request is not valid JSON" },
        { "truncated", "{\"op\":\"snap", "request is not valid JSON" },
        { "array", "[\"snapshot\"]", "request must be a JSON object" },
        { "number", "42", "request must be a JSON object" },
        { "no op", "{\"id\":3}", "request needs an \"op\" string" },
        { "op not a string", "{\"op\":5}", "request needs an \"op\" string" },
        { "unknown op", "{\"op\":\"format_disk\"}", "unknown op: format_disk" },
        { "event type", "{\"op\":\"event\",\"type\":\"teleport\"}", "unknown event type: teleport" },
        { "event x", "{\"op\":\"event\",\"type\":\"pointer_moved\",\"x\":\"left\"}", "\"x\" must be a number" },
        { "key name", "{\"op\":\"event\",\"type\":\"key\",\"key\":\"Hyper\"}", "unknown key: Hyper" },
        { "key and text", "{\"op\":\"event\",\"type\":\"key\",\"key\":\"Enter\",\"text\":\"a\"}",
            "a key event needs either \"key\" or \"text\"" },
        { "modifier", "{\"op\":\"event\",\"type\":\"key\",\"text\":\"a\",\"modifiers\":[\"hyper\"]}",
            "unknown modifier: hyper" },
        { "button", "{\"op\":\"event\",\"type\":\"pointer_pressed\",\"button\":7}",
            "\"button\" must be 0 (primary), 1 (secondary) or 2 (middle)" },
        { "invoke kind", "{\"op\":\"invoke\",\"action_id\":\"x\",\"kind\":\"effect\"}",
            "\"kind\" must be an integer (1 effect, 2 navigation)" },
        { "invoke args", "{\"op\":\"invoke\",\"action_id\":\"x\",\"kind\":1,\"args\":{\"value\":3}}",
            "\"args\" must be an object of strings" },
        { "invocation id", "{\"op\":\"take_effect_result\",\"invocation_id\":\"abc\"}",
            "\"invocation_id\" must be 32 hexadecimal digits" },
        { "perform_action", "{\"op\":\"perform_action\",\"node\":\"test.press\"}",
            "perform_action needs \"node\" and \"action\" strings" },
        { "render path", "{\"op\":\"render\"}", "render needs a \"path\"" },
        { "wait timeout", "{\"op\":\"wait_idle\",\"timeout\":-5}",
            "\"timeout\" must be a number of milliseconds from 0 to 600000" },
        { "over-long line", "{\"op\":\"snapshot\",\"pad\":\"" + std::string(2 * 1024 * 1024, 'x') + "\"}",
            "request line exceeds 1048576 bytes" },
    };
}

}

TEST(AutomationErrors, GarbageGetsJsonErrorsAndTheHostKeepsAnswering)
{
    RunningHost running;
    auto client = running.connect();
    for (auto const& garbage : garbage_cases()) {
        SCOPED_TRACE(garbage.name);
        ASSERT_TRUE(client.send_raw(garbage.line + "\n"));
        auto answer = client.read_answer();
        ASSERT_TRUE(answer) << answer.error().text();
        EXPECT_EQ((*answer)["ok"], false);
        EXPECT_EQ((*answer)["error"], garbage.error);
        // The same connection still answers a good request right after.
        auto good = client.request({ { "op", "size" } });
        ASSERT_TRUE(good) << good.error().text();
        EXPECT_EQ((*good)["ok"], true);
    }
    // A second connection is unaffected too.
    auto other = running.connect();
    EXPECT_EQ((*other.request({ { "op", "snapshot" } }))["ok"], true);
}

TEST(AutomationErrors, ALineOfExactlyTheLimitIsAccepted)
{
    RunningHost running;
    auto client = running.connect();
    std::string head = "{\"op\":\"size\",\"pad\":\"";
    std::string line = head + std::string(1024 * 1024 - head.size() - 2, 'x') + "\"}";
    ASSERT_EQ(line.size(), 1024u * 1024);
    ASSERT_TRUE(client.send_raw(line + "\r\n"));
    auto answer = client.read_answer();
    ASSERT_TRUE(answer);
    EXPECT_EQ((*answer)["ok"], true) << answer->dump().substr(0, 200);
}

TEST(AutomationErrors, RenderFailureIsReported)
{
    RunningHost running;
    auto client = running.connect();
    auto blocker = running.folder().write("file", "not a folder");
    auto answer = client.request({ { "op", "render" }, { "path", (blocker / "shot.png").string() } });
    ASSERT_TRUE(answer);
    EXPECT_EQ((*answer)["ok"], false);
    EXPECT_EQ((*answer)["error"], "cannot create folder " + blocker.string() + ": Not a directory");
}

TEST(AutomationErrors, AnotherUsersConnectionIsClosedUnanswered)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to connect as another user";
    RunningHost running;
    auto client = running.connect();
    // Open every fence but the peer-credential check, so it alone refuses.
    ASSERT_EQ(chmod(running.folder().path().c_str(), 0755), 0);
    ASSERT_EQ(chmod(running.socket().c_str(), 0777), 0);

    // The child only makes system calls: it was forked from a process with
    // running threads.
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, running.socket().c_str(), sizeof address.sun_path - 1);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0)
            _exit(10);
        int fd = socket(AF_UNIX, SOCK_STREAM, 0);
        if (connect(fd, reinterpret_cast<sockaddr const*>(&address), sizeof address) != 0)
            _exit(11);
        static char const request[] = "{\"op\":\"snapshot\"}\n";
        if (send(fd, request, sizeof request - 1, MSG_NOSIGNAL) < 0)
            _exit(0); // closed before the request could even be sent
        timeval limit { 5, 0 };
        setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
        char answer[64];
        auto got = read(fd, answer, sizeof answer);
        _exit(got == 0 || (got < 0 && errno == ECONNRESET) ? 0 : 12);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "10: setuid failed, 11: connect failed, 12: the stranger was answered";
    // We still get answers.
    EXPECT_EQ((*client.request({ { "op", "size" } }))["ok"], true);
}

class SocketPath : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (char const* name : { "KESU_AUTOMATION_SOCKET", "XDG_RUNTIME_DIR" }) {
            if (char const* value = getenv(name))
                m_saved.emplace_back(name, value);
            unsetenv(name);
        }
    }
    void TearDown() override
    {
        unsetenv("KESU_AUTOMATION_SOCKET");
        unsetenv("XDG_RUNTIME_DIR");
        for (auto const& [name, value] : m_saved)
            setenv(name.c_str(), value.c_str(), 1);
    }
    test_support::TempDir m_folder;
    std::vector<std::pair<std::string, std::string>> m_saved;
};

TEST_F(SocketPath, ChosenPathWinsOverTheRuntimeFolder)
{
    setenv("XDG_RUNTIME_DIR", m_folder.path().c_str(), 1);
    setenv("KESU_AUTOMATION_SOCKET", "/somewhere/else.sock", 1);
    EXPECT_EQ(host::prepare_automation_socket_path(), std::filesystem::path("/somewhere/else.sock"));
    EXPECT_EQ(m_folder.listing(), std::vector<std::string> {});
}

TEST_F(SocketPath, RuntimeFolderGetsAPrivateSubfolder)
{
    setenv("XDG_RUNTIME_DIR", m_folder.path().c_str(), 1);
    auto path = host::prepare_automation_socket_path();
    ASSERT_TRUE(path) << path.error().text();
    EXPECT_EQ(*path, m_folder / "kesu-files" / ("automation-" + std::to_string(getpid()) + ".sock"));
    struct stat info { };
    ASSERT_EQ(stat(path->parent_path().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);

    // A folder that others may enter is made private again.
    ASSERT_EQ(chmod(path->parent_path().c_str(), 0755), 0);
    ASSERT_TRUE(host::prepare_automation_socket_path());
    ASSERT_EQ(stat(path->parent_path().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST_F(SocketPath, WithoutRuntimeFolderAPrivateFolderUnderTmpNamedAfterTheUser)
{
    auto path = host::prepare_automation_socket_path();
    ASSERT_TRUE(path) << path.error().text();
    EXPECT_EQ(path->parent_path(), std::filesystem::path("/tmp/kesu-files-" + std::to_string(geteuid())));
}

TEST_F(SocketPath, AFolderThatIsNotOursIsRefused)
{
    setenv("XDG_RUNTIME_DIR", m_folder.path().c_str(), 1);
    auto planted = m_folder.write("kesu-files", "a file where the folder should be");
    auto refused = host::prepare_automation_socket_path();
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().text(), "automation folder is not a private folder of this user: " + planted.string());
}

TEST_F(SocketPath, StaleSocketIsReplacedButOtherFilesAreNot)
{
    auto socket_path = m_folder / "a.sock";
    auto first = host::listen_unix_socket(socket_path);
    ASSERT_TRUE(first) << first.error().text();
    // While someone listens, the path is taken.
    auto taken = host::listen_unix_socket(socket_path);
    ASSERT_FALSE(taken);
    EXPECT_EQ(taken.error().text(), "automation socket path is in use: " + socket_path.string());
    close(*first);
    auto second = host::listen_unix_socket(socket_path);
    ASSERT_TRUE(second) << second.error().text();
    close(*second);

    auto file = m_folder.write("plain", "keep me");
    auto refused = host::listen_unix_socket(file);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().text(), "automation socket path is in use: " + file.string());
    EXPECT_EQ(test_support::read_file(file), "keep me");
}
