#include "fileops/archive.h"
#include "fileops/archive_fixtures.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <sstream>

#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace files::fileops;
using archive_test::TarCompression;
using archive_test::TarKind;

namespace {

// A tree with a nested folder, an empty folder, a link to a file, a link to
// a folder and a FIFO; only the files and folders belong in a ZIP.
std::filesystem::path make_docs(test_support::TempDir const& temp)
{
    temp.write("Docs/report.txt", "quarterly numbers");
    temp.write("Docs/nested/deep.bin", std::string(200'000, '\x7f'));
    temp.make_folder("Docs/empty");
    std::filesystem::create_symlink("report.txt", temp / "Docs/link-to-file");
    std::filesystem::create_symlink("nested", temp / "Docs/link-to-folder");
    EXPECT_EQ(::mkfifo((temp / "Docs/pipe").c_str(), 0644), 0);
    return temp / "Docs";
}

std::vector<std::string> names_of(std::vector<archive_test::ZipDirectoryEntry> const& entries)
{
    std::vector<std::string> names;
    for (auto const& entry : entries)
        names.push_back(entry.name);
    std::sort(names.begin(), names.end());
    return names;
}

TEST(CreateZip, WritesDeflateEntriesDatedNineteenEighty)
{
    test_support::TempDir temp;
    auto docs = make_docs(temp);
    auto single = temp.write("single.txt", "alone");
    std::filesystem::create_symlink("single.txt", temp / "link.txt");
    std::filesystem::permissions(
        temp / "Docs/report.txt", std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    auto target = temp / "out/Archive.zip";
    temp.make_folder("out");

    auto created = create_zip(target, { docs, single, temp / "link.txt" });
    ASSERT_TRUE(created) << created.error().text();

    auto entries = archive_test::read_zip_directory(target);
    EXPECT_EQ(names_of(entries),
        (std::vector<std::string> {
            "Docs/", "Docs/empty/", "Docs/nested/", "Docs/nested/deep.bin", "Docs/report.txt", "single.txt" }));
    EXPECT_EQ(entries.front().name, "Docs/");
    for (auto const& entry : entries) {
        SCOPED_TRACE(entry.name);
        bool folder = entry.name.ends_with('/');
        if (!folder) {
            EXPECT_EQ(entry.method, 8);
        }
        EXPECT_EQ(entry.dos_date, (0 << 9) | (1 << 5) | 1);
        EXPECT_EQ(entry.dos_time, 0);
        // Default modes, not the sources' own (report.txt is made 0600 below).
        EXPECT_EQ(entry.external_attributes >> 16, folder ? (S_IFDIR | 0755u) : (S_IFREG | 0644u));
    }
    EXPECT_EQ(archive_test::tree_contents(temp / "out"),
        (std::vector<std::pair<std::string, std::string>> { { "Archive.zip", test_support::read_file(target) } }));

    // Back through our own reader, byte for byte.
    auto extracted = extract_archive(target, temp / "round");
    ASSERT_TRUE(extracted) << extracted.error().text();
    auto round = archive_test::tree_contents(temp / "round");
    EXPECT_EQ(round,
        (std::vector<std::pair<std::string, std::string>> { { "Docs", "/" }, { "Docs/empty", "/" },
            { "Docs/nested", "/" }, { "Docs/nested/deep.bin", std::string(200'000, '\x7f') },
            { "Docs/report.txt", "quarterly numbers" }, { "single.txt", "alone" } }));
}

TEST(CreateZip, FollowsALinkToAFolderGivenAsSource)
{
    test_support::TempDir temp;
    temp.write("real/inside.txt", "in");
    std::filesystem::create_symlink("real", temp / "alias");
    ASSERT_TRUE(create_zip(temp / "alias.zip", { temp / "alias" }));
    EXPECT_EQ(names_of(archive_test::read_zip_directory(temp / "alias.zip")),
        (std::vector<std::string> { "alias/", "alias/inside.txt" }));
}

TEST(CreateZip, NamesThatAreNotUtf8AreStoredWithReplacement)
{
    test_support::TempDir temp;
    temp.write("Caf\xe9/r\xe9sum\xe9.txt", "cv");
    ASSERT_TRUE(create_zip(temp / "out.zip", { temp / "Caf\xe9" }));
    EXPECT_EQ(names_of(archive_test::read_zip_directory(temp / "out.zip")),
        (std::vector<std::string> { "Caf\uFFFD/", "Caf\uFFFD/r\uFFFDsum\uFFFD.txt" }));
}

TEST(CreateZip, FailureRemovesTheWorkingFile)
{
    test_support::TempDir temp;
    auto file = temp.write("file.txt", "x");
    auto missing = create_zip(temp / "Archive.zip", { file, temp / "missing" });
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().text(), (temp / "missing").string() + ": No such file or directory");
    EXPECT_TRUE(missing.error().is_errno(ENOENT));

    auto nameless = create_zip(temp / "Archive.zip", { file, "/" });
    ASSERT_FALSE(nameless);
    EXPECT_EQ(nameless.error().text(), "path has no file name");

    auto no_folder = create_zip(temp / "gone/Archive.zip", { file });
    ASSERT_FALSE(no_folder);
    EXPECT_TRUE(no_folder.error().is_errno(ENOENT));

    // The target appeared while the archive was written: it is not replaced.
    temp.write("Taken.zip", "precious");
    auto taken = create_zip(temp / "Taken.zip", { file });
    ASSERT_FALSE(taken);
    EXPECT_EQ(taken.error().text(), "the destination already exists");
    EXPECT_EQ(test_support::read_file(temp / "Taken.zip"), "precious");

    EXPECT_EQ(temp.listing(), (std::vector<std::string> { "Taken.zip", "file.txt" }));
}

TEST(CreateZip, WorkingFileIsNotFollowedThroughALink)
{
    test_support::TempDir temp;
    auto victim = temp.write("victim", "keep me");
    std::filesystem::create_symlink(victim, temp / "Archive.zip.part");
    auto created = create_zip(temp / "Archive.zip", { victim });
    ASSERT_FALSE(created);
    EXPECT_TRUE(created.error().is_errno(ELOOP)) << created.error().text();
    EXPECT_EQ(test_support::read_file(victim), "keep me");
}

TEST(CreateZip, ArchivesPassTheStandardTools)
{
    if (!archive_test::have_tool("unzip") || !archive_test::have_tool("bsdtar"))
        GTEST_SKIP() << "unzip or bsdtar is not installed";
    test_support::TempDir temp;
    auto docs = make_docs(temp);
    ASSERT_TRUE(create_zip(temp / "Docs.zip", { docs }));
    auto zip = temp / "Docs.zip";

    auto [unzip_status, unzip_output] = archive_test::run_command("unzip -t '" + zip.string() + "'");
    EXPECT_EQ(unzip_status, 0) << unzip_output;
    EXPECT_NE(unzip_output.find("No errors detected"), std::string::npos) << unzip_output;
    EXPECT_EQ(unzip_output.find("warning"), std::string::npos) << unzip_output;

    auto [extract_status, extract_output] = archive_test::run_command(
        "cd '" + temp.path().string() + "' && mkdir by-unzip && cd by-unzip && unzip -q ../Docs.zip");
    ASSERT_EQ(extract_status, 0) << extract_output;
    EXPECT_EQ(test_support::read_file(temp / "by-unzip/Docs/report.txt"), "quarterly numbers");

    auto [tar_status, tar_output] = archive_test::run_command("bsdtar -tf '" + zip.string() + "'");
    EXPECT_EQ(tar_status, 0) << tar_output;
    std::vector<std::string> listed;
    std::istringstream lines(tar_output);
    for (std::string line; std::getline(lines, line);)
        listed.push_back(line);
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed,
        (std::vector<std::string> {
            "Docs/", "Docs/empty/", "Docs/nested/", "Docs/nested/deep.bin", "Docs/report.txt" }));
}

TEST(CreateZip, ArchivesOfOtherToolsExtractIdentically)
{
    if (!archive_test::have_tool("zip") || !archive_test::have_tool("bsdtar"))
        GTEST_SKIP() << "zip or bsdtar is not installed";
    test_support::TempDir temp;
    temp.write("src/Tree/a.txt", "alpha");
    temp.write("src/Tree/sub/b.bin", std::string(100'000, 'b') + "end");
    temp.make_folder("src/Tree/empty");
    std::string source = (temp / "src").string();
    struct Tool {
        char const* archive;
        std::string command;
    } const tools[] = {
        { "by-zip.zip", "cd '" + source + "' && zip -qr -6 ../by-zip.zip Tree" },
        { "by-bsdtar.tar.gz", "cd '" + source + "' && bsdtar -czf ../by-bsdtar.tar.gz Tree" },
        { "by-bsdtar.zip", "cd '" + source + "' && bsdtar --format zip -cf ../by-bsdtar.zip Tree" },
        { "by-python.tar",
            "cd '" + source
                + "' && python3 -c \"import tarfile; t = tarfile.open('../by-python.tar', 'w'); t.add('Tree'); "
                  "t.close()\"" },
    };
    auto expected = archive_test::tree_contents(temp / "src");
    for (auto const& tool : tools) {
        SCOPED_TRACE(tool.archive);
        auto [status, output] = archive_test::run_command(tool.command);
        ASSERT_EQ(status, 0) << output;
        auto destination = temp / (std::string(tool.archive) + ".out");
        auto files = extract_archive(temp / tool.archive, destination);
        ASSERT_TRUE(files) << files.error().text();
        EXPECT_EQ(archive_test::tree_contents(destination), expected);
    }
}

}
