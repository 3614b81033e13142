#include "services/trash/detail/directory_sizes.h"
#include "services/trash/detail/trash_location.h"
#include "services/trash/trash_info.h"
#include "trash_fixture.h"

#include <algorithm>
#include <csignal>
#include <functional>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace services::trash;
using trash_test::TrashFixture;
namespace fs = std::filesystem;
using test_support::read_file;

namespace {

std::vector<std::string> folder_names(fs::path const& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (auto const& entry : fs::directory_iterator(folder, error))
        names.push_back(entry.path().filename().native());
    std::sort(names.begin(), names.end());
    return names;
}

}

class TrashRoundTrip : public TrashFixture { };

TEST_F(TrashRoundTrip, AwkwardNamesComeBackByteForByte)
{
    char const* const names[] = { "a b.txt", "100%", "#tag", "line\nbreak", "caf\xC3\xA9.txt", "raw\xFF" };
    for (auto const* name : names) {
        SCOPED_TRACE(name);
        auto path = write(name, std::string("content of ") + name);
        ASSERT_TRUE(trash_paths({ path }));
        EXPECT_FALSE(fs::exists(fs::symlink_status(path)));

        auto item = listed(path);
        ASSERT_TRUE(item);
        EXPECT_EQ(item->name, name);
        EXPECT_EQ(read_file(item->stored_path()), std::string("content of ") + name);
        EXPECT_EQ(read_file(item->info_path()).find("Path=" + percent_encode(path.native()) + "\n"), 13u);

        auto restored = restore_items({ *item });
        ASSERT_TRUE(restored) << restored.error().text();
        EXPECT_EQ(read_file(path), std::string("content of ") + name);
        EXPECT_FALSE(fs::exists(item->info_path()));
    }
    EXPECT_EQ(folder_names(trash() / "files"), std::vector<std::string> {});
    EXPECT_EQ(folder_names(trash() / "info"), std::vector<std::string> {});
}

TEST_F(TrashRoundTrip, ClashingNamesAreNumberedAndEachKeepsItsOrigin)
{
    auto first = write("one/report.txt", "1");
    auto second = write("two/report.txt", "2");
    auto third = write("three/report.txt", "3");
    ASSERT_TRUE(trash_paths({ first, second, third }));
    EXPECT_EQ(
        folder_names(trash() / "files"), (std::vector<std::string> { "report 2.txt", "report 3.txt", "report.txt" }));
    EXPECT_EQ(folder_names(trash() / "info"),
        (std::vector<std::string> { "report 2.txt.trashinfo", "report 3.txt.trashinfo", "report.txt.trashinfo" }));
    ASSERT_TRUE(listed(second));
    EXPECT_EQ(listed(second)->name, "report 2.txt");
    EXPECT_EQ(read_file(listed(third)->stored_path()), "3");
}

TEST_F(TrashRoundTrip, TrashFoldersAreCreatedPrivate)
{
    ASSERT_TRUE(trash_paths({ write("a", "x") }));
    for (auto const& folder : { trash(), trash() / "files", trash() / "info" }) {
        SCOPED_TRACE(folder.native());
        struct stat info { };
        ASSERT_EQ(::lstat(folder.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0700u);
    }
}

TEST_F(TrashRoundTrip, CreatesAMissingDataHome)
{
    ::setenv("XDG_DATA_HOME", (m_dir / "fresh/.local/share").c_str(), 1);
    auto path = write("a", "x");
    ASSERT_TRUE(trash_paths({ path }));
    EXPECT_EQ(read_file(m_dir / "fresh/.local/share/Trash/files/a"), "x");
}

TEST_F(TrashRoundTrip, MissingItemFailsAndLeavesNoRecord)
{
    auto missing = home() / "gone.txt";
    auto result = trash_paths({ missing });
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().text(), missing.string() + ": No such file or directory");
    EXPECT_TRUE(result.error().is_errno(ENOENT));
    EXPECT_EQ(folder_names(trash() / "info"), std::vector<std::string> {});
}

class TrashRestore : public TrashFixture { };

TEST_F(TrashRestore, NeverReplacesAnOccupiedPath)
{
    auto path = write("a.txt", "trashed");
    ASSERT_TRUE(trash_paths({ path }));
    write("a.txt", "newer");
    auto item = listed(path);
    ASSERT_TRUE(item);

    auto result = restore_items({ *item });
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().text(), "cannot restore " + path.string() + ", an item already exists there: File exists");
    EXPECT_TRUE(result.error().is_errno(EEXIST));
    EXPECT_EQ(read_file(path), "newer");
    EXPECT_EQ(read_file(item->stored_path()), "trashed");
    EXPECT_TRUE(listed(path));
}

TEST_F(TrashRestore, IntoAMissingFolderFailsAndKeepsTheItem)
{
    auto path = write("sub/a.txt", "x");
    ASSERT_TRUE(trash_paths({ path }));
    fs::remove(home() / "sub");
    auto item = listed(path);
    ASSERT_TRUE(item);

    auto result = restore_items({ *item });
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().text(),
        "cannot restore " + path.string() + ", its folder is missing: No such file or directory");
    EXPECT_TRUE(listed(path));
}

class TrashListing : public TrashFixture { };

TEST_F(TrashListing, PairsInfoWithItemAndSkipsWhatDoesNotPair)
{
    auto kept = write("kept.txt", "x");
    ASSERT_TRUE(trash_paths({ kept }));
    auto info = trash() / "info";
    m_dir.write("data/Trash/info/orphan.trashinfo", "[Trash Info]\nPath=/x/orphan\nDeletionDate=2020-01-01T00:00:00\n");
    m_dir.write("data/Trash/files/broken", "b");
    m_dir.write("data/Trash/info/broken.trashinfo", "[Trash Info]\nPath=/x/%zz\n");
    m_dir.write("data/Trash/files/relative", "r");
    m_dir.write("data/Trash/info/relative.trashinfo", "[Trash Info]\nPath=rel/x\n");
    m_dir.write("data/Trash/files/no-info", "n");
    m_dir.write("data/Trash/files/other", "o");
    m_dir.write("data/Trash/info/other.txt", "[Trash Info]\nPath=/x/other\n");
    m_dir.write("data/Trash/files/lower", "l");
    m_dir.write("data/Trash/info/lower.trashinfo", "[Trash Info]\nPath=/x/caf%c3%a9\n");

    auto items = list_trash();
    ASSERT_TRUE(items);
    std::vector<std::string> names;
    for (auto const& item : *items) {
        if (item.trash_folder == trash())
            names.push_back(item.name + " " + item.original_path.native());
    }
    EXPECT_EQ(names, (std::vector<std::string> { "kept.txt " + kept.native(), "lower /x/caf\xC3\xA9" }));
}

TEST_F(TrashListing, NoTrashFolderYetListsNothing)
{
    auto items = list_trash();
    ASSERT_TRUE(items);
    for (auto const& item : *items)
        EXPECT_NE(item.trash_folder, trash());
}

class TrashPurge : public TrashFixture { };

TEST_F(TrashPurge, DeletesItemThenInfoAndKeepsDirectorySizesCurrent)
{
    auto folder = home() / "my folder";
    write("my folder/a", "123");
    write("my folder/deep/b", "4567");
    auto file = write("plain", "p");
    ASSERT_TRUE(trash_paths({ folder, file }));
    fs::permissions(trash() / "files/my folder/deep", fs::perms::owner_read | fs::perms::owner_exec);

    struct stat info { };
    ASSERT_EQ(::stat((trash() / "info/my folder.trashinfo").c_str(), &info), 0);
    EXPECT_EQ(read_file(trash() / "directorysizes"), "7 " + std::to_string(info.st_mtim.tv_sec) + " my%20folder\n");

    auto item = listed(folder);
    ASSERT_TRUE(item);
    auto result = purge_items({ *item, *listed(file) });
    ASSERT_TRUE(result) << result.error().text();
    EXPECT_EQ(folder_names(trash() / "files"), std::vector<std::string> {});
    EXPECT_EQ(folder_names(trash() / "info"), std::vector<std::string> {});
    EXPECT_EQ(read_file(trash() / "directorysizes"), "");
    EXPECT_EQ(folder_names(trash()), (std::vector<std::string> { "directorysizes", "files", "info" }));
}

TEST_F(TrashPurge, DirectorySizesDropsLinesOfVanishedItems)
{
    m_dir.make_folder("data/Trash/files/alive");
    m_dir.write("data/Trash/directorysizes", "10 1 alive\n20 2 gone\n");
    ASSERT_TRUE(detail::update_directory_sizes(trash(), "new one", 5));
    auto text = read_file(trash() / "directorysizes");
    EXPECT_EQ(text.substr(0, 11), "10 1 alive\n");
    EXPECT_EQ(text.find("gone"), std::string::npos);
    EXPECT_NE(text.find(" new%20one\n"), std::string::npos);
}

class VolumeTrash : public ::testing::Test {
protected:
    test_support::TempDir m_dir;
    std::string uid = std::to_string(::getuid());
};

TEST_F(VolumeTrash, ChoosesSharedTrashOnlyWhenStickyAndNotALink)
{
    struct Case {
        char const* name;
        std::function<void(fs::path const&)> prepare;
        std::string expected;
    };
    auto make_sticky = [](fs::path const& at) {
        fs::create_directory(at);
        ::chmod(at.c_str(), 01777);
    };
    Case const cases[] = {
        { "no .Trash", [](fs::path const&) {}, ".Trash-" + uid },
        { "sticky .Trash", [&](fs::path const& top) { make_sticky(top / ".Trash"); }, ".Trash/" + uid },
        { "plain .Trash",
            [](fs::path const& top) {
                fs::create_directory(top / ".Trash");
                ::chmod((top / ".Trash").c_str(), 0777);
            },
            ".Trash-" + uid },
        { "linked .Trash",
            [&](fs::path const& top) {
                make_sticky(top / "real");
                fs::create_directory_symlink("real", top / ".Trash");
            },
            ".Trash-" + uid },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        auto top = m_dir.make_folder(c.name);
        c.prepare(top);
        struct stat info { };
        ASSERT_EQ(::lstat(top.c_str(), &info), 0);
        auto trash = detail::volume_trash_for(top, info.st_dev);
        ASSERT_TRUE(trash) << trash.error().text();
        EXPECT_EQ(trash->folder, top / c.expected);
        EXPECT_EQ(trash->topdir, top);
        EXPECT_TRUE(fs::is_directory(trash->folder / "files"));
        ASSERT_EQ(::lstat(trash->folder.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0700u);
        ASSERT_EQ(detail::existing_volume_trashes(top).size(), 1u);
        EXPECT_EQ(detail::existing_volume_trashes(top)[0].folder, trash->folder);
    }
}

class TrashInterruption : public TrashFixture {
protected:
    // Runs `work` in a child that kills itself with SIGKILL from a hook.
    static void run_killed_child(std::function<void()> const& work)
    {
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            work();
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));
        EXPECT_EQ(WTERMSIG(status), SIGKILL);
    }

    void expect_nothing_listed_that_is_missing()
    {
        auto items = list_trash();
        ASSERT_TRUE(items);
        for (auto const& item : *items)
            EXPECT_TRUE(fs::exists(fs::symlink_status(item.stored_path()))) << item.name;
        EXPECT_FALSE(listed(home() / "precious.txt"));
    }
};

TEST_F(TrashInterruption, KilledBetweenInfoAndMoveLosesNothing)
{
    auto path = write("precious.txt", "every byte");
    TrashHooks hooks;
    hooks.after_info_written = [](fs::path const&) { ::raise(SIGKILL); };
    run_killed_child([&] { (void)trash_paths({ path }, hooks); });

    EXPECT_EQ(read_file(path), "every byte");
    EXPECT_TRUE(fs::exists(trash() / "info/precious.txt.trashinfo"));
    expect_nothing_listed_that_is_missing();
    ASSERT_TRUE(trash_paths({ path }));
    EXPECT_EQ(read_file(trash() / "files/precious 2.txt"), "every byte");
}

TEST_F(TrashInterruption, KilledBetweenRestoreAndInfoRemovalLosesNothing)
{
    auto path = write("precious.txt", "every byte");
    ASSERT_TRUE(trash_paths({ path }));
    auto item = listed(path);
    ASSERT_TRUE(item);
    TrashHooks hooks;
    hooks.after_item_restored = [](fs::path const&) { ::raise(SIGKILL); };
    run_killed_child([&] { (void)restore_items({ *item }, hooks); });

    EXPECT_EQ(read_file(path), "every byte");
    expect_nothing_listed_that_is_missing();
}
