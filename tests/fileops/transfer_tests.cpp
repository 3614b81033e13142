#include "fileops/copy_tree.h"
#include "fileops/transfer.h"
#include "fileops/transfer_primitives.h"
#include "support/temp_dir.h"
#include "transfer_test_support.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace files::fileops;
using transfer_test::snapshot;

class Transfer : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (auto const& entry : fs::recursive_directory_iterator(dir.path()))
            EXPECT_FALSE(entry.path().filename().string().starts_with(".kesu-transfer-"))
                << "left behind: " << entry.path();
    }

    test_support::TempDir dir;
    MessageResolver resolve = transfer_test::resolver();
};

TEST_F(Transfer, FolderIntoItselfIsRefusedForCopyAndMove)
{
    dir.write("docs/inner/a.txt", "a");
    dir.make_folder("docs-old");
    struct Case {
        char const* destination;
        TransferMode mode;
    };
    Case const cases[] = {
        { "docs", TransferMode::Copy },
        { "docs/inner", TransferMode::Copy },
        { "docs/inner", TransferMode::Move },
        { "docs/inner/../inner", TransferMode::Copy },
    };
    auto before = snapshot(dir.path());
    for (auto const& row : cases) {
        SCOPED_TRACE(row.destination);
        auto result = transfer_item(dir / "docs", dir / row.destination, row.mode, resolve);
        ASSERT_FALSE(result);
        EXPECT_EQ(result.error().text(), "cannot copy or move a folder into itself");
    }
    EXPECT_EQ(snapshot(dir.path()), before);

    // A sibling whose name merely starts with the source's name is not inside it.
    auto copied = copy_item(dir / "docs", dir / "docs-old", resolve);
    ASSERT_TRUE(copied) << copied.error().text();
    EXPECT_EQ(*copied, dir / "docs-old/docs");
    EXPECT_EQ(snapshot(*copied), snapshot(dir / "docs"));
}

TEST_F(Transfer, CopyIntoItsOwnFolderGetsNumberedNames)
{
    dir.write("report.txt", "quarterly");
    auto second = copy_item(dir / "report.txt", dir.path(), resolve);
    auto third = copy_item(dir / "report.txt", dir.path(), resolve);
    ASSERT_TRUE(second && third);
    EXPECT_EQ(*second, dir / "report 2.txt");
    EXPECT_EQ(*third, dir / "report 3.txt");
    EXPECT_EQ(test_support::read_file(*third), "quarterly");
    EXPECT_EQ(transfer_test::names_in(dir.path()),
        (std::vector<std::string> { "report 2.txt", "report 3.txt", "report.txt" }));
}

TEST_F(Transfer, MoveIntoTheFolderItIsInIsRefused)
{
    dir.write("sub/a.txt", "a");
    for (auto const* destination : { "sub", "sub/.", "./sub/../sub" }) {
        SCOPED_TRACE(destination);
        auto result = move_item(dir / "sub/a.txt", dir / destination, resolve);
        ASSERT_FALSE(result);
        EXPECT_EQ(result.error().text(), "the item is already in this folder");
    }
    EXPECT_EQ(test_support::read_file(dir / "sub/a.txt"), "a");
}

TEST_F(Transfer, MoveWithinOneFileSystemIsOneRename)
{
    dir.write("tree/a.txt", "a");
    dir.make_folder("target");
    struct stat before { };
    ASSERT_EQ(::lstat((dir / "tree").c_str(), &before), 0);
    auto moved = move_item(dir / "tree", dir / "target", resolve);
    ASSERT_TRUE(moved) << moved.error().text();
    struct stat after { };
    ASSERT_EQ(::lstat(moved->c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_FALSE(fs::exists(fs::symlink_status(dir / "tree")));
}

TEST_F(Transfer, OccupiedNamesIncludingDanglingLinksAreSkipped)
{
    dir.write("src/report.txt", "new");
    dir.write("dst/report.txt", "old");
    fs::create_symlink("missing-target", dir / "dst/report 2.txt");
    for (auto mode : { TransferMode::Copy, TransferMode::Move }) {
        auto result = transfer_item(dir / "src/report.txt", dir / "dst", mode, resolve);
        ASSERT_TRUE(result) << result.error().text();
        EXPECT_EQ(test_support::read_file(*result), "new");
    }
    EXPECT_EQ(test_support::read_file(dir / "dst/report.txt"), "old");
    EXPECT_EQ(fs::read_symlink(dir / "dst/report 2.txt"), "missing-target");
    EXPECT_EQ(transfer_test::names_in(dir / "dst"),
        (std::vector<std::string> { "report 2.txt", "report 3.txt", "report 4.txt", "report.txt" }));
}

TEST_F(Transfer, AllNineThousandNineHundredNinetyNineNamesTaken)
{
    dir.write("src/report.txt", "keep me");
    auto destination = dir.make_folder("full");
    for (int n = 1; n <= 9999; ++n) {
        auto name = n == 1 ? std::string("report.txt") : "report " + std::to_string(n) + ".txt";
        int fd = ::open((destination / name).c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0644);
        ASSERT_GE(fd, 0);
        ::close(fd);
    }
    auto source_before = snapshot(dir / "src");
    for (auto mode : { TransferMode::Copy, TransferMode::Move }) {
        auto result = transfer_item(dir / "src/report.txt", destination, mode, resolve);
        ASSERT_FALSE(result);
        EXPECT_EQ(result.error().text(),
            "files-destination-names-exhausted(name=report.txt, path=" + destination.string() + ")");
    }
    EXPECT_EQ(snapshot(dir / "src"), source_before);
    EXPECT_EQ(fs::file_size(destination / "report.txt"), 0u);
}

TEST_F(Transfer, LinksAreCopiedAsLinks)
{
    dir.write("tree/real/file.txt", "x");
    fs::create_directory_symlink("real", dir / "tree/to-folder");
    fs::create_symlink("../elsewhere/missing", dir / "tree/dangling");
    fs::create_directory_symlink(dir / "tree/real", dir / "folder-link");
    dir.make_folder("out");

    auto tree = copy_item(dir / "tree", dir / "out", resolve);
    ASSERT_TRUE(tree) << tree.error().text();
    EXPECT_EQ(snapshot(*tree), snapshot(dir / "tree"));
    EXPECT_TRUE(fs::is_symlink(*tree / "to-folder"));

    // A link to a folder is copied as the link, never descended into.
    auto link = copy_item(dir / "folder-link", dir / "out", resolve);
    ASSERT_TRUE(link) << link.error().text();
    EXPECT_TRUE(fs::is_symlink(*link));
    EXPECT_EQ(fs::read_symlink(*link), dir / "tree/real");
}

TEST_F(Transfer, PipesAreRefusedWithoutBlocking)
{
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0644), 0);
    dir.write("tree/a.txt", "a");
    ASSERT_EQ(::mkfifo((dir / "tree/pipe").c_str(), 0644), 0);
    auto out = dir.make_folder("out");
    for (auto const* source : { "pipe", "tree" }) {
        SCOPED_TRACE(source);
        auto result = copy_item(dir / source, out, resolve);
        ASSERT_FALSE(result);
        EXPECT_EQ(result.error().text(), "source type changed during copy");
        EXPECT_TRUE(transfer_test::names_in(out).empty());
    }
}

TEST_F(Transfer, InvalidUtf8NamesArriveWithReplacementCharacters)
{
    dir.write("src/bad\xFF.txt", "bytes");
    dir.write("src/also\xC0.txt", "moved");
    dir.make_folder("out");
    auto copied = copy_item(dir / "src/bad\xFF.txt", dir / "out", resolve);
    auto moved = move_item(dir / "src/also\xC0.txt", dir / "out", resolve);
    ASSERT_TRUE(copied && moved);
    EXPECT_EQ(*copied, dir / "out/bad\xEF\xBF\xBD.txt");
    EXPECT_EQ(*moved, dir / "out/also\xEF\xBF\xBD.txt");
    EXPECT_EQ(test_support::read_file(*copied), "bytes");
    EXPECT_EQ(test_support::read_file(*moved), "moved");
}

TEST_F(Transfer, CopiesKeepPermissionBitsOnly)
{
    struct Case {
        char const* name;
        unsigned mode;
        unsigned expected;
    };
    Case const cases[] = {
        { "private", 0600, 0600 },
        { "script", 0755, 0755 },
        { "shared", 0664, 0664 },
        { "read-only", 0444, 0444 },
        { "set-user-id", 04755, 0755 },
    };
    for (auto const& row : cases)
        transfer_test::write_file(dir / "tree" / row.name, row.name, row.mode);
    ASSERT_EQ(::setxattr((dir / "tree/script").c_str(), "user.kesu.sync", "x", 1, 0), 0);
    // A read-only folder must still receive its content.
    transfer_test::write_file(dir / "tree/locked/inside.txt", "inside");
    fs::permissions(dir / "tree/locked", static_cast<fs::perms>(0555));
    auto old_time = fs::file_time_type::clock::now() - std::chrono::hours(24 * 365);
    fs::last_write_time(dir / "tree/script", old_time);

    auto copy = copy_item(dir / "tree", dir.make_folder("out"), resolve);
    ASSERT_TRUE(copy) << copy.error().text();
    for (auto const& row : cases) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(static_cast<unsigned>(fs::status(*copy / row.name).permissions()), row.expected);
        EXPECT_EQ(test_support::read_file(*copy / row.name), row.name);
    }
    EXPECT_EQ(static_cast<unsigned>(fs::status(*copy / "locked").permissions()), 0555u);
    EXPECT_EQ(test_support::read_file(*copy / "locked/inside.txt"), "inside");
    EXPECT_GT(fs::last_write_time(*copy / "script"), old_time + std::chrono::hours(1));
    EXPECT_EQ(::getxattr((*copy / "script").c_str(), "user.kesu.sync", nullptr, 0), -1);
    EXPECT_EQ(errno, ENODATA);
}

TEST_F(Transfer, MissingSourceAndBadDestination)
{
    dir.write("a.txt", "a");
    dir.write("plain-file", "not a folder");
    auto missing = copy_item(dir / "nothing.txt", dir.path(), resolve);
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().text(), "No such file or directory");

    auto into_file = copy_item(dir / "a.txt", dir / "plain-file", resolve);
    ASSERT_FALSE(into_file);
    EXPECT_EQ(into_file.error().text(),
        "files-destination-inspect-failed(path=" + (dir / "plain-file/a.txt").string() + ", error=Not a directory)");

    dir.make_folder("sub");
    test_support::TempDir elsewhere;
    auto no_name = copy_item(dir / "sub/..", elsewhere.path(), resolve);
    ASSERT_FALSE(no_name);
    EXPECT_EQ(no_name.error().text(), "files-source-no-name()");
    EXPECT_TRUE(elsewhere.listing().empty());
}

TEST_F(Transfer, DestinationAvailableAndRenameNoReplace)
{
    dir.write("taken", "x");
    fs::create_symlink("nowhere", dir / "dangling");
    EXPECT_EQ(destination_available(dir / "free", resolve), true);
    EXPECT_EQ(destination_available(dir / "taken", resolve), false);
    EXPECT_EQ(destination_available(dir / "dangling", resolve), false);

    dir.write("from", "y");
    auto refused = rename_no_replace(dir / "from", dir / "taken");
    ASSERT_FALSE(refused);
    EXPECT_TRUE(refused.error().is_errno(EEXIST));
    EXPECT_EQ(test_support::read_file(dir / "taken"), "x");

    auto nul = rename_no_replace(dir / std::string("fr\0om", 5), dir / "other");
    ASSERT_FALSE(nul);
    EXPECT_TRUE(nul.error().is_errno(EINVAL));
}

TEST_F(Transfer, RemovePathRemovesTreesAndLinksButNotLinkTargets)
{
    dir.write("keep/kept.txt", "kept");
    dir.write("tree/a/b/c.txt", "c");
    fs::create_directory_symlink(dir / "keep", dir / "tree/a/link-to-keep");
    fs::permissions(dir / "tree/a/b", static_cast<fs::perms>(0555));
    fs::create_symlink(dir / "keep/kept.txt", dir / "file-link");

    EXPECT_TRUE(remove_path(dir / "tree"));
    EXPECT_TRUE(remove_path(dir / "file-link"));
    EXPECT_TRUE(remove_path(dir / "never-existed"));
    EXPECT_EQ(dir.listing(), (std::vector<std::string> { "keep", "keep/kept.txt" }));
}

TEST_F(Transfer, CopyTreeRefusals)
{
    dir.write("a.txt", "a");
    dir.write("existing.txt", "keep");
    dir.make_folder("sub");
    struct Case {
        fs::path source;
        fs::path target;
        char const* text;
    };
    Case const cases[] = {
        { "/", dir / "root-copy", "source has no parent directory" },
        { dir / "sub/..", dir / "parent-copy", "source has no file name" },
        { dir / "a.txt", dir / "existing.txt", "File exists" },
        { dir / "missing", dir / "copy", "No such file or directory" },
    };
    for (auto const& row : cases) {
        SCOPED_TRACE(row.source.string());
        auto result = copy_tree(row.source, row.target);
        ASSERT_FALSE(result);
        EXPECT_EQ(result.error().text(), row.text);
    }
    EXPECT_EQ(dir.listing(), (std::vector<std::string> { "a.txt", "existing.txt", "sub" }));
}

}
