#include "fileops/archive.h"
#include "fileops/archive_fixtures.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <fstream>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace files::fileops;
using archive_test::TarCompression;
using archive_test::TarKind;
using archive_test::TarMember;
using archive_test::ZipBuilder;
using archive_test::ZipMember;
using Tree = std::vector<std::pair<std::string, std::string>>;

namespace {

std::vector<std::string> sorted(std::vector<std::string> values)
{
    std::sort(values.begin(), values.end());
    return values;
}

mode_t mode_of(std::filesystem::path const& path)
{
    struct stat status { };
    EXPECT_EQ(::lstat(path.c_str(), &status), 0) << path;
    return status.st_mode & 07777;
}

mode_t current_umask()
{
    mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

TEST(ArchiveExtract, ZipAndTarGiveTheSameTree)
{
    Tree const expected { { "a", "/" }, { "a/b", "bee" }, { "empty", "/" }, { "top", "" }, { "x", "/" }, { "x/y", "/" },
        { "x/y/z.txt", std::string(300'000, 'z') } };
    test_support::TempDir temp;
    ZipBuilder()
        .add_file("./a/./b", "bee")
        .add_folder("empty/")
        .add_file("top", "")
        .add_file("x/y/z.txt", std::string(300'000, 'z'))
        .write(temp / "t.zip");
    std::vector<TarMember> members { { "./a/./b", TarKind::File, "bee" }, { "empty", TarKind::Folder, "" },
        { "top", TarKind::File, "" }, { "x/y/z.txt", TarKind::File, std::string(300'000, 'z') } };
    archive_test::write_tar(temp / "t.tar", members, TarCompression::None);
    archive_test::write_tar(temp / "t.tgz", members, TarCompression::Gzip);

    for (char const* name : { "t.zip", "t.tar", "t.tgz" }) {
        SCOPED_TRACE(name);
        auto destination = temp / (std::string(name) + ".out");
        auto files = extract_archive(temp / name, destination);
        ASSERT_TRUE(files) << files.error().text();
        EXPECT_EQ(sorted(*files), (std::vector<std::string> { "a/b", "top", "x/y/z.txt" }));
        EXPECT_EQ(archive_test::tree_contents(destination), expected);
        // Stored modes are not applied.
        EXPECT_EQ(mode_of(destination / "a/b"), 0666 & ~current_umask());
        EXPECT_EQ(mode_of(destination / "x/y"), 0777 & ~current_umask());
    }
}

struct HostileCase {
    char const* label;
    ZipBuilder zip;
    char const* error;
};

TEST(ArchiveExtract, HostileZipLeavesNothingBehind)
{
    std::string bomb(4 << 20, '\0');
    std::vector<HostileCase> const cases {
        { "dot-dot", ZipBuilder().add_file("ok", "1").add_file("../evil", "x"),
            "archive entry escapes its destination" },
        { "absolute", ZipBuilder().add_file("ok", "1").add_file("/etc/x", "x"),
            "archive entry escapes its destination" },
        { "nested escape", ZipBuilder().add_file("a/b/../../../x", "x"), "archive entry escapes its destination" },
        { "short entry", ZipBuilder().add_sized("short", "only five", 100u), "truncated ZIP entry" },
        { "short stored entry", ZipBuilder().add_sized("short", "only five", 100u, false), "truncated ZIP entry" },
        // A bomb whose header admits to a few bytes: never more than those are written.
        { "lying bomb", ZipBuilder().add_sized("bomb", bomb, 1024u), "ZIP entry is larger than its declared size" },
        { "duplicate", ZipBuilder().add_file("d/f", "1").add_file("d/f", "2"), "d/f: File exists" },
        { "file then folder", ZipBuilder().add_file("f", "1").add_folder("f/"), "f: Not a directory" },
        // Declared sizes count even on folder entries, so the limit is
        // reached before any data would be inflated.
        { "honest bomb",
            ZipBuilder()
                .add_sized("b1/", "", 0xFFFFFFFEu, false)
                .add_sized("b2/", "", 0xFFFFFFFEu, false)
                .add_sized("b3/", "", 0xFFFFFFFEu, false)
                .add_sized("b4/", "", 0xFFFFFFFEu, false)
                .add_sized("b5", "x", 9u),
            "archive expands beyond the safety limit" },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.label);
        test_support::TempDir temp;
        c.zip.write(temp / "evil.zip");
        auto files = extract_archive(temp / "evil.zip", temp / "out");
        ASSERT_FALSE(files);
        EXPECT_EQ(files.error().text(), c.error);
        EXPECT_EQ(temp.listing(), (std::vector<std::string> { "evil.zip" }));
    }
}

TEST(ArchiveExtract, CutOffTarLeavesNothingBehind)
{
    test_support::TempDir temp;
    archive_test::write_tar(temp / "cut.tar",
        { { "first", TarKind::File, "complete" }, { "second", TarKind::File, std::string(10'000, 's') } },
        TarCompression::None);
    // Keep the first entry, the second header and half of its data.
    std::filesystem::resize_file(temp / "cut.tar", 512 * 3 + 5000);
    auto files = extract_archive(temp / "cut.tar", temp / "out");
    ASSERT_FALSE(files);
    EXPECT_EQ(files.error().text(), "Truncated tar archive");
    EXPECT_EQ(temp.listing(), (std::vector<std::string> { "cut.tar" }));
}

TEST(ArchiveExtract, SparseTarEndingInAHoleKeepsItsSize)
{
    if (!archive_test::have_tool("bsdtar"))
        GTEST_SKIP() << "bsdtar is not installed";
    test_support::TempDir temp;
    {
        std::ofstream out(temp / "sparse.bin", std::ios::binary);
        out.seekp(4096);
        out << "hello";
        out.seekp(32768);
        out << "abc";
    }
    std::filesystem::resize_file(temp / "sparse.bin", 1 << 20);
    auto [status, output] = archive_test::run_command(
        "cd '" + temp.path().string() + "' && bsdtar --format pax -cf sparse.tar sparse.bin && bsdtar -tvf sparse.tar");
    ASSERT_EQ(status, 0) << output;
    // Only a file system with holes gives a sparse archive; its data map
    // then ends well before the declared size.
    if (std::filesystem::file_size(temp / "sparse.tar") > (1 << 19))
        GTEST_SKIP() << "the temporary file system does not keep holes";

    auto files = extract_archive(temp / "sparse.tar", temp / "out");
    ASSERT_TRUE(files) << files.error().text();
    auto original = test_support::read_file(temp / "sparse.bin");
    auto written = test_support::read_file(temp / "out/sparse.bin");
    EXPECT_EQ(written.size(), std::size_t { 1 << 20 });
    EXPECT_TRUE(written == original);
}

TEST(ArchiveExtract, CorruptArchivesFailCleanly)
{
    test_support::TempDir temp;
    temp.write("junk.zip", "PK\x03\x04 and then nothing sensible");
    temp.write("junk.tgz", std::string("\x1f\x8b\x08\x00", 4) + "broken gzip stream");
    auto zip = extract_archive(temp / "junk.zip", temp / "zip-out");
    ASSERT_FALSE(zip);
    auto tar = extract_archive(temp / "junk.tgz", temp / "tar-out");
    ASSERT_FALSE(tar);
    EXPECT_EQ(zip.error().text(), "Unrecognized archive format");
    EXPECT_EQ(tar.error().text(), "gzip decompression failed");
    auto missing = extract_archive(temp / "missing.zip", temp / "missing-out");
    ASSERT_FALSE(missing);
    EXPECT_TRUE(missing.error().is_errno(ENOENT)) << missing.error().text();
    EXPECT_EQ(temp.listing(), (std::vector<std::string> { "junk.tgz", "junk.zip" }));
}

TEST(ArchiveExtract, LinksAreNeverCreatedNorFollowed)
{
    test_support::TempDir temp;
    auto outside = temp.make_folder("outside");
    ZipBuilder().add_symlink("link", outside.string()).add_file("link/evil", "zip").write(temp / "links.zip");
    archive_test::write_tar(temp / "links.tar",
        { { "link", TarKind::Symlink, outside.string() }, { "hard", TarKind::Hardlink, "/etc/passwd" },
            { "link/evil", TarKind::File, "tar" }, { "pipe", TarKind::Fifo, "" } },
        TarCompression::None);

    for (char const* name : { "links.zip", "links.tar" }) {
        SCOPED_TRACE(name);
        auto destination = temp / (std::string(name) + ".out");
        auto files = extract_archive(temp / name, destination);
        ASSERT_TRUE(files) << files.error().text();
        EXPECT_EQ(*files, (std::vector<std::string> { "link/evil" }));
        auto tree = archive_test::tree_contents(destination);
        ASSERT_EQ(tree.size(), 2u);
        EXPECT_EQ(tree[0], (std::pair<std::string, std::string>("link", "/")));
        EXPECT_EQ(tree[1].first, "link/evil");
    }
    EXPECT_TRUE(std::filesystem::is_empty(outside));
}

TEST(ArchiveExtract, EntryCountLimitDuringExtraction)
{
    for (std::size_t count : { max_archive_entries, max_archive_entries + 1 }) {
        SCOPED_TRACE(count);
        test_support::TempDir temp;
        std::vector<TarMember> members(count, { "d/", TarKind::Folder, "" });
        members.push_back({ "d/last", TarKind::File, "last" });
        members.erase(members.begin());
        archive_test::write_tar(temp / "many.tgz", members, TarCompression::Gzip);
        auto files = extract_archive(temp / "many.tgz", temp / "out");
        if (count == max_archive_entries) {
            ASSERT_TRUE(files) << files.error().text();
            EXPECT_EQ(temp.listing(), (std::vector<std::string> { "many.tgz", "out", "out/d", "out/d/last" }));
        } else {
            ASSERT_FALSE(files);
            EXPECT_EQ(files.error().text(), "archive has too many entries");
            EXPECT_EQ(temp.listing(), (std::vector<std::string> { "many.tgz" }));
        }
    }
}

TEST(ArchiveExtract, DestinationRules)
{
    test_support::TempDir temp;
    ZipBuilder().add_file("f", "1").write(temp / "a.zip");
    temp.make_folder("taken");
    auto taken = extract_archive(temp / "a.zip", temp / "taken");
    ASSERT_FALSE(taken);
    EXPECT_EQ(taken.error().text(), "the destination already exists");

    std::filesystem::create_symlink("nowhere", temp / "dangling");
    auto dangling = extract_archive(temp / "a.zip", temp / "dangling");
    ASSERT_FALSE(dangling);
    EXPECT_EQ(dangling.error().text(), "the destination already exists");

    auto no_parent = extract_archive(temp / "a.zip", "");
    ASSERT_FALSE(no_parent);
    EXPECT_EQ(no_parent.error().text(), "destination has no parent");

    // Missing ancestors of the destination are created.
    auto deep = extract_archive(temp / "a.zip", temp / "new/deeper/out");
    ASSERT_TRUE(deep) << deep.error().text();
    EXPECT_EQ(test_support::read_file(temp / "new/deeper/out/f"), "1");
}

TEST(ArchiveExtract, TemporaryFolderSkipsNamesInUse)
{
    test_support::TempDir temp;
    ZipBuilder().add_file("f", "new").write(temp / "a.zip");
    std::string in_use = ".out.extracting-" + std::to_string(::getpid()) + "-0";
    temp.write(in_use + "/keep", "someone else's");
    auto files = extract_archive(temp / "a.zip", temp / "out");
    ASSERT_TRUE(files) << files.error().text();
    EXPECT_EQ(temp.listing(), (std::vector<std::string> { in_use, in_use + "/keep", "a.zip", "out", "out/f" }));

    // Every one of the thousand names taken.
    for (int i = 1; i < 1000; ++i)
        temp.make_folder(".again.extracting-" + std::to_string(::getpid()) + "-" + std::to_string(i - 1));
    temp.make_folder(".again.extracting-" + std::to_string(::getpid()) + "-999");
    auto exhausted = extract_archive(temp / "a.zip", temp / "again");
    ASSERT_FALSE(exhausted);
    EXPECT_EQ(exhausted.error().text(), "could not reserve a temporary extraction folder");
}

}
