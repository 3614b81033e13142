#include "services/atomic_file.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <vector>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using test_support::read_file;
using test_support::TempDir;

namespace {

mode_t mode_of(std::filesystem::path const& path)
{
    struct stat info { };
    EXPECT_EQ(::stat(path.c_str(), &info), 0);
    return info.st_mode & 07777;
}

}

TEST(AtomicFile, ReplacesContentAndLeavesNoTemporaryFile)
{
    TempDir dir;
    auto target = dir.write("state.json", "old content that is longer than the new one");
    ::chmod(target.c_str(), 0640);
    ASSERT_TRUE(services::write_creating_parent(target, std::string_view("new")));
    EXPECT_EQ(read_file(target), "new");
    EXPECT_EQ(mode_of(target), 0640u);
    EXPECT_EQ(dir.listing(), std::vector<std::string> { "state.json" });

    std::vector<std::uint8_t> binary { 0x89, 'P', 'N', 'G', 0, 0xFF };
    ASSERT_TRUE(services::write_creating_parent(target, std::span<std::uint8_t const>(binary)));
    EXPECT_EQ(read_file(target), std::string("\x89PNG\0\xFF", 6));
    ASSERT_TRUE(services::write_creating_parent(target, std::string_view()));
    EXPECT_EQ(read_file(target), "");
    EXPECT_EQ(dir.listing(), std::vector<std::string> { "state.json" });
}

TEST(AtomicFile, CreatesMissingParentFolders)
{
    TempDir dir;
    auto target = dir / "shots/2026/grid.png";
    ASSERT_TRUE(services::write_creating_parent(target, std::string_view("png")));
    EXPECT_EQ(read_file(target), "png");
    EXPECT_EQ(dir.listing(), (std::vector<std::string> { "shots", "shots/2026", "shots/2026/grid.png" }));
    mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(mode_of(target), 0666u & ~mask);
}

TEST(AtomicFile, FailuresNameThePathAndLeaveNothingBehind)
{
    TempDir dir;
    dir.write("plain", "a file, not a folder");
    dir.make_folder("folder");
    dir.write("folder/inside", "keep");

    auto under_file = services::write_creating_parent(dir / "plain/child.txt", std::string_view("x"));
    ASSERT_FALSE(under_file);
    EXPECT_TRUE(under_file.error().is_errno(EEXIST) || under_file.error().is_errno(ENOTDIR))
        << under_file.error().text();
    EXPECT_EQ(under_file.error().text().rfind("cannot create folder " + (dir / "plain").string() + ": ", 0), 0u)
        << under_file.error().text();

    // Renaming a file over a folder fails after the temporary file exists.
    auto over_folder = services::write_creating_parent(dir / "folder", std::string_view("x"));
    ASSERT_FALSE(over_folder);
    EXPECT_TRUE(over_folder.error().is_errno(EISDIR)) << over_folder.error().text();
    EXPECT_EQ(over_folder.error().text(), "cannot write " + (dir / "folder").string() + ": Is a directory");

    auto no_name = services::write_creating_parent(dir.path() / "", std::string_view("x"));
    ASSERT_FALSE(no_name);
    EXPECT_TRUE(no_name.error().is_errno(EINVAL));

    EXPECT_EQ(dir.listing(), (std::vector<std::string> { "folder", "folder/inside", "plain" }));
    EXPECT_EQ(read_file(dir / "folder/inside"), "keep");
}

TEST(AtomicFile, ReadOnlyFolderRefusesAndKeepsTheOldFile)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root ignores folder permissions";
    TempDir dir;
    auto target = dir.write("locked/state.json", "old");
    ::chmod((dir / "locked").c_str(), 0555);
    auto result = services::write_creating_parent(target, std::string_view("new"));
    ::chmod((dir / "locked").c_str(), 0755);
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().text(), "cannot write " + target.string() + ": Permission denied");
    EXPECT_EQ(read_file(target), "old");
    EXPECT_EQ(dir.listing(), (std::vector<std::string> { "locked", "locked/state.json" }));
}
