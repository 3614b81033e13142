#include "trash_fixture.h"

#include <array>
#include <cstdio>

#include <sys/wait.h>

using namespace services::trash;
using trash_test::TrashFixture;
namespace fs = std::filesystem;
using test_support::read_file;

namespace {

std::string quoted(std::string const& text)
{
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

struct Run {
    int status;
    std::string output;
};

Run run(std::string const& command)
{
    Run result { -1, {} };
    FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r");
    if (!pipe)
        return result;
    std::array<char, 4096> buffer {};
    while (auto count = std::fread(buffer.data(), 1, buffer.size(), pipe))
        result.output.append(buffer.data(), count);
    int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

bool have_trash_cli()
{
    return run("command -v trash-put && command -v trash-list && command -v trash-restore").status == 0;
}

// trash-cli cannot hand a name that is not UTF-8 through its interface, so
// the raw-byte name is covered by the service's own round trip only.
char const* const names[] = { "a b.txt", "100%", "#tag", "line\nbreak", "caf\xC3\xA9.txt" };

class TrashCli : public TrashFixture {
protected:
    void SetUp() override
    {
        if (!have_trash_cli())
            GTEST_SKIP() << "trash-cli is not installed";
    }
};

}

TEST_F(TrashCli, ItemsTrashedHereAreListedAndRestoredByTrashCli)
{
    int row = 0;
    for (auto const* name : names) {
        SCOPED_TRACE(name);
        auto folder = "row" + std::to_string(++row) + "x";
        auto path = write(folder + "/" + name, std::string("from us: ") + name);
        ASSERT_TRUE(trash_paths({ path }));

        auto listing = run("trash-list");
        EXPECT_NE(listing.output.find(" " + path.string() + "\n"), std::string::npos) << listing.output;

        auto restored = run("echo 0 | trash-restore " + quoted((home() / folder).string()));
        EXPECT_EQ(restored.status, 0);
        EXPECT_EQ(read_file(path), std::string("from us: ") + name);
        EXPECT_FALSE(listed(path));
    }
}

TEST_F(TrashCli, ItemsTrashedByTrashCliAreListedRestoredAndPurgedHere)
{
    for (auto const* name : names) {
        SCOPED_TRACE(name);
        auto path = write(name, std::string("from trash-put: ") + name);
        ASSERT_EQ(run("trash-put " + quoted(path.string())).status, 0);
        ASSERT_FALSE(fs::exists(path));

        auto item = listed(path);
        ASSERT_TRUE(item);
        ASSERT_TRUE(restore_items({ *item }));
        EXPECT_EQ(read_file(path), std::string("from trash-put: ") + name);

        ASSERT_EQ(run("trash-put " + quoted(path.string())).status, 0);
        item = listed(path);
        ASSERT_TRUE(item);
        ASSERT_TRUE(purge_items({ *item }));
        EXPECT_FALSE(fs::exists(fs::symlink_status(item->stored_path())));
        EXPECT_EQ(run("trash-list").output.find(path.string()), std::string::npos);
    }
}
