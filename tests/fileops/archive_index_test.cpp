#include "fileops/archive.h"
#include "fileops/archive_fixtures.h"
#include "support/temp_dir.h"

#include <algorithm>

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace files::fileops;
using archive_test::TarCompression;
using archive_test::TarKind;
using archive_test::ZipBuilder;

namespace {

std::vector<std::string> index_paths(std::vector<ArchiveIndexEntry> const& index)
{
    std::vector<std::string> paths;
    for (auto const& entry : index)
        paths.push_back(entry.relative_path + (entry.is_folder ? "/" : ""));
    return paths;
}

TEST(ArchiveNames, SupportedArchiveNames)
{
    struct Case {
        char const* name;
        bool supported;
    } const cases[] = {
        { "a.zip", true },
        { "A.ZIP", true },
        { "a.tar", true },
        { "a.tgz", true },
        { "a.tar.gz", true },
        { "a.TaR.Gz", true },
        { "dir/a.tar.gz", true },
        { "a.gz", false },
        { "a.tar.bz2", false },
        { "a.txt", false },
        { ".zip", false },
        { ".tar.gz", false },
        { "\xff.zip", false },
        { "", false },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(is_supported_archive(c.name), c.supported);
    }
}

TEST(ArchiveNames, LocationFindsTheNearestArchiveFile)
{
    test_support::TempDir temp;
    ZipBuilder().add_file("x/y.txt", "y").write(temp / "a.zip");
    temp.make_folder("folder.zip");

    auto self = archive_location(temp / "a.zip");
    ASSERT_TRUE(self);
    EXPECT_EQ(self->archive_path, temp / "a.zip");
    EXPECT_TRUE(self->inner_path.empty());

    auto inside = archive_location(temp / "a.zip" / "x" / "inner.tar");
    ASSERT_TRUE(inside);
    EXPECT_EQ(inside->archive_path, temp / "a.zip");
    EXPECT_EQ(inside->inner_path, std::filesystem::path("x/inner.tar"));

    // A folder with an archive name, and a path with no archive above it.
    EXPECT_FALSE(archive_location(temp / "folder.zip" / "x"));
    EXPECT_FALSE(archive_location(temp.path()));
}

TEST(ArchiveIndex, SanitisesPathsAndSkipsLinks)
{
    test_support::TempDir temp;
    ZipBuilder()
        .add_file("./a/./b", "b")
        .add_symlink("link", "/etc/passwd")
        .add_folder("dir/")
        .add_file("dir//c", "cc")
        .write(temp / "a.zip");
    auto zip = read_archive_index(temp / "a.zip");
    ASSERT_TRUE(zip) << zip.error().text();
    EXPECT_EQ(index_paths(*zip), (std::vector<std::string> { "a/b", "dir/", "dir/c" }));
    EXPECT_EQ(zip->at(2).declared_size, 2u);

    archive_test::write_tar(temp / "a.tar.gz",
        { { "f", TarKind::File, "data" }, { "soft", TarKind::Symlink, "/etc" }, { "hard", TarKind::Hardlink, "f" },
            { "pipe", TarKind::Fifo, "" } },
        TarCompression::Gzip);
    auto tar = read_archive_index(temp / "a.tar.gz");
    ASSERT_TRUE(tar) << tar.error().text();
    EXPECT_EQ(index_paths(*tar), (std::vector<std::string> { "f", "pipe" }));
}

TEST(ArchiveIndex, RefusesHostilePaths)
{
    struct Case {
        char const* name;
        char const* error;
    } const cases[] = {
        { "../evil", "archive entry escapes its destination" },
        { "/etc/x", "archive entry escapes its destination" },
        { "a/../../x", "archive entry escapes its destination" },
        { "a/..", "archive entry escapes its destination" },
        { "./", "empty archive entry" },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        test_support::TempDir temp;
        ZipBuilder().add_file("fine", "x").add_file(c.name, "x").write(temp / "a.zip");
        auto index = read_archive_index(temp / "a.zip");
        ASSERT_FALSE(index);
        EXPECT_EQ(index.error().text(), c.error);
    }
}

TEST(ArchiveIndex, BackslashesAreSeparatorsBeforeTheRulesApply)
{
    test_support::TempDir temp;
    ZipBuilder().add_file("..\\evil", "x").write(temp / "a.zip");
    auto index = read_archive_index(temp / "a.zip");
    ASSERT_FALSE(index);
    EXPECT_EQ(index.error().text(), "archive entry escapes its destination");
}

TEST(ArchiveIndex, DeclaredSizeLimit)
{
    // Four entries of 0xFFFFFFFE declared bytes plus a last one reach exactly
    // 16 GiB with 8 bytes, and pass it with 9; nothing is ever inflated.
    for (std::uint32_t last : { 8u, 9u }) {
        SCOPED_TRACE(last);
        test_support::TempDir temp;
        ZipBuilder zip;
        for (int i = 0; i < 4; ++i)
            zip.add_sized("big" + std::to_string(i), "tiny", 0xFFFFFFFEu);
        zip.add_sized("last", "tiny", last);
        zip.write(temp / "big.zip");
        auto index = read_archive_index(temp / "big.zip");
        if (last == 8) {
            ASSERT_TRUE(index) << index.error().text();
            EXPECT_EQ(index->size(), 5u);
        } else {
            ASSERT_FALSE(index);
            EXPECT_EQ(index.error().text(), "archive expands beyond the safety limit");
        }
    }
}

TEST(ArchiveIndex, EntryCountLimitIgnoresLinks)
{
    for (std::size_t count : { max_archive_entries, max_archive_entries + 1 }) {
        SCOPED_TRACE(count);
        test_support::TempDir temp;
        std::vector<archive_test::TarMember> members(count, { "d/", TarKind::Folder, "" });
        members.insert(members.begin() + 10, { "link", TarKind::Symlink, "d" });
        members.insert(members.begin() + 20, { "hard", TarKind::Hardlink, "d" });
        archive_test::write_tar(temp / "many.tgz", members, TarCompression::Gzip);
        auto index = read_archive_index(temp / "many.tgz");
        if (count == max_archive_entries) {
            ASSERT_TRUE(index) << index.error().text();
            EXPECT_EQ(index->size(), count);
        } else {
            ASSERT_FALSE(index);
            EXPECT_EQ(index.error().text(), "archive has too many entries");
        }
    }
}

TEST(ArchiveListing, ImpliesFoldersFromDeeperEntries)
{
    test_support::TempDir temp;
    ZipBuilder()
        .add_file("docs/a/b.txt", "bbb")
        .add_file("docs/readme", "r")
        .add_file("top.txt", "12345")
        .add_folder("empty/")
        .add_file("x", "file first")
        .add_file("x/y", "then a child")
        .write(temp / "a.zip");
    auto archive = temp / "a.zip";

    auto root = list_archive_folder(archive, "");
    ASSERT_TRUE(root) << root.error().text();
    std::vector<std::tuple<std::string, bool, std::uint64_t>> seen;
    for (auto const& child : *root)
        seen.emplace_back(child.name, child.is_folder, child.size);
    EXPECT_EQ(seen,
        (std::vector<std::tuple<std::string, bool, std::uint64_t>> {
            { "docs", true, 0 }, { "empty", true, 0 }, { "top.txt", false, 5 }, { "x", true, 0 } }));
    EXPECT_EQ(root->front().path, archive / "docs");

    auto docs = list_archive_folder(archive, "docs");
    ASSERT_TRUE(docs) << docs.error().text();
    ASSERT_EQ(docs->size(), 2u);
    EXPECT_EQ(docs->at(0).name, "a");
    EXPECT_TRUE(docs->at(0).is_folder);
    EXPECT_EQ(docs->at(1).name, "readme");
    EXPECT_EQ(docs->at(1).path, archive / "docs" / "readme");

    auto empty = list_archive_folder(archive, "empty");
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->empty());

    auto file = list_archive_folder(archive, "top.txt");
    ASSERT_FALSE(file);
    EXPECT_TRUE(file.error().is_errno(ENOTDIR));
    auto missing = list_archive_folder(archive, "doc");
    ASSERT_FALSE(missing);
    EXPECT_TRUE(missing.error().is_errno(ENOENT));
    auto escape = list_archive_folder(archive, "../x");
    ASSERT_FALSE(escape);
    EXPECT_EQ(escape.error().text(), "archive entry escapes its destination");
}

TEST(ArchiveListing, UnreadableArchiveIsAnError)
{
    test_support::TempDir temp;
    auto path = temp.write("broken.zip", "this is not a zip file at all");
    auto listing = list_archive_folder(path, "");
    ASSERT_FALSE(listing);
    EXPECT_EQ(listing.error().text(), "Unrecognized archive format");
}

}
