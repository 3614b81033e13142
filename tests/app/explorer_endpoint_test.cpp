// The whole program driven the way the desktop drives it: started headless
// in a temporary folder, then read and steered through its automation
// endpoint.

#include "command/resource_address.h"
#include "i18n/translate.h"
#include "support/automation_client.h"
#include "support/temp_dir.h"

#include <csignal>
#include <cstdlib>
#include <functional>

#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

std::filesystem::path program()
{
    if (char const* build = std::getenv("FILES_BINARY_DIR"))
        return std::filesystem::path(build) / "kesu-files";
    std::error_code ec;
    return std::filesystem::read_symlink("/proc/self/exe", ec).parent_path().parent_path().parent_path() / "kesu-files";
}

class RunningExplorer {
public:
    RunningExplorer(test_support::TempDir const& dir, std::filesystem::path const& folder)
        : m_socket(dir / "run" / "automation.sock")
    {
        std::filesystem::create_directories(dir / "run");
        std::filesystem::create_directories(dir / "home");
        std::vector<std::string> env_strings { "KESU_HOST=headless", "KESU_AUTOMATION_SOCKET=" + m_socket.string(),
            "HOME=" + (dir / "home").string(), "XDG_CONFIG_HOME=" + (dir / "config").string(),
            "XDG_STATE_HOME=" + (dir / "state").string(), "XDG_DATA_HOME=" + (dir / "data").string(),
            "KESU_WORKSPACE_ROOTS=", "LANG=en_US.UTF-8", "PATH=/usr/bin:/bin" };
        std::vector<char*> env;
        for (auto& s : env_strings)
            env.push_back(s.data());
        env.push_back(nullptr);
        auto binary = program().string();
        auto folder_text = folder.string();
        char* argv[] = { binary.data(), folder_text.data(), nullptr };
        EXPECT_EQ(posix_spawn(&m_pid, binary.c_str(), nullptr, nullptr, argv, env.data()), 0) << binary;
    }
    ~RunningExplorer()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            int status = 0;
            waitpid(m_pid, &status, 0);
        }
    }
    std::filesystem::path const& socket() const { return m_socket; }

private:
    std::filesystem::path m_socket;
    pid_t m_pid { -1 };
};

nlohmann::json ask(test_support::AutomationClient& client, nlohmann::json request)
{
    auto answer = client.request(request);
    EXPECT_TRUE(answer) << (answer ? "" : answer.error().text());
    return answer ? *answer : nlohmann::json {};
}

}

TEST(ExplorerEndpoint, StartsInTheFolderAndFollowsActions)
{
    test_support::TempDir dir;
    dir.write("shown/b.txt", "b");
    dir.write("shown/a.txt", "a");
    dir.make_folder("shown/inner");
    RunningExplorer explorer(dir, dir / "shown");
    auto client = test_support::AutomationClient::connect(explorer.socket());
    ASSERT_TRUE(client) << client.error().text();

    ask(*client, { { "op", "wait_idle" } });
    auto snapshot = ask(*client, { { "op", "snapshot" } })["snapshot"];
    EXPECT_EQ(snapshot["directory"], (dir / "shown").string());
    EXPECT_EQ(snapshot["entry_count"], 3);
    EXPECT_TRUE(snapshot["ready"]) << snapshot.dump();
    EXPECT_EQ(snapshot["view_mode"], "List");

    auto grid = ask(*client,
        { { "op", "invoke" }, { "action_id", "files.folder-command" }, { "kind", 2 }, { "payload", "\"grid\"" } });
    EXPECT_EQ(grid["outcome"], "handled");
    ask(*client, { { "op", "wait_idle" } });
    EXPECT_EQ(ask(*client, { { "op", "snapshot" } })["snapshot"]["view_mode"], "Grid");

    auto wrong_kind = ask(*client,
        { { "op", "invoke" }, { "action_id", "files.folder-command" }, { "kind", 1 }, { "payload", "\"up\"" } });
    EXPECT_EQ(wrong_kind["outcome"], "failed");
    EXPECT_EQ(wrong_kind["failure"], "file command has an invalid operation kind");

    auto malformed = ask(*client,
        { { "op", "invoke" }, { "action_id", "files.folder-command" }, { "kind", 2 }, { "payload", "{nope" } });
    EXPECT_EQ(malformed["outcome"], "failed");
    EXPECT_NE(malformed["failure"].get<std::string>().find("parse error"), std::string::npos) << malformed.dump();

    auto open = ask(*client,
        { { "op", "invoke" }, { "action_id", "files.open" }, { "kind", 2 },
            { "payload", nlohmann::json(files::command::entry_address((dir / "shown" / "inner").string())).dump() } });
    EXPECT_EQ(open["outcome"], "handled") << open.dump();
    ask(*client, { { "op", "wait_idle" } });
    snapshot = ask(*client, { { "op", "snapshot" } })["snapshot"];
    EXPECT_EQ(snapshot["directory"], (dir / "shown" / "inner").string());
    EXPECT_EQ(snapshot["entry_count"], 0);

    auto resources = ask(*client, { { "op", "resources" } })["resources"];
    ASSERT_TRUE(resources.is_array());
    ASSERT_FALSE(resources.empty());
    EXPECT_EQ(resources[0]["kind"], "files.folder");

    auto tree = ask(*client, { { "op", "accessibility" } })["tree"];
    EXPECT_EQ(tree["value"], "This folder is empty") << tree.dump().substr(0, 400);
    ask(*client, { { "op", "quit" } });
}

TEST(ExplorerEndpoint, TheMenuKeyOpensAMenuWhoseItemsArePublishedControls)
{
    test_support::TempDir dir;
    dir.write("shown/a.txt", "a");
    RunningExplorer explorer(dir, dir / "shown");
    auto client = test_support::AutomationClient::connect(explorer.socket());
    ASSERT_TRUE(client) << client.error().text();
    ask(*client, { { "op", "wait_idle" } });
    ask(*client, { { "op", "event" }, { "type", "key" }, { "key", "Down" } });
    ask(*client, { { "op", "event" }, { "type", "key" }, { "key", "Menu" } });
    ask(*client, { { "op", "wait_idle" } });

    // The item "Copy" is in the tree and in the resources, as a control.
    std::function<nlohmann::json(nlohmann::json const&)> find_copy = [&](nlohmann::json const& node) {
        if (node.value("role", "") == "menu-item" && node.value("label", "") == "Copy")
            return node;
        for (auto const& child : node.value("children", nlohmann::json::array())) {
            if (auto found = find_copy(child); !found.is_null())
                return found;
        }
        return nlohmann::json {};
    };
    auto copy = find_copy(ask(*client, { { "op", "accessibility" } })["tree"]);
    ASSERT_FALSE(copy.is_null());
    auto control_id = copy["control_id"].get<std::string>();
    std::size_t published = 0;
    auto const resources = ask(*client, { { "op", "resources" } })["resources"];
    for (auto const& resource : resources)
        published += resource["address"] == "kesu.control:" + control_id;
    EXPECT_EQ(published, 1u);

    auto chosen = ask(*client,
        { { "op", "invoke" }, { "action_id", "kesu.ui.control.invoke" }, { "kind", 2 },
            { "payload", nlohmann::json(control_id).dump() } });
    EXPECT_EQ(chosen["outcome"], "handled") << chosen.dump();
    ask(*client, { { "op", "wait_idle" } });
    EXPECT_TRUE(find_copy(ask(*client, { { "op", "accessibility" } })["tree"]).is_null());
    auto tree = ask(*client, { { "op", "accessibility" } })["tree"];
    EXPECT_EQ(tree["value"],
        files::i18n::translate_with("files-selected-count",
            { { "base", files::i18n::translate_with("files-copied", { { "count", 1 } }) }, { "count", 1 } }));
    ask(*client, { { "op", "quit" } });
}
