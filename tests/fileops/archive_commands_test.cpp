#include "fileops/archive_commands.h"
#include "fileops/archive_fixtures.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace files::fileops;
using archive_test::ZipBuilder;

namespace {

Message expected(std::string id, std::vector<MessageArgument> arguments = {})
{
    return { std::move(id), std::move(arguments) };
}

TEST(ArchiveCommands, ExtractionBaseNames)
{
    struct Case {
        char const* archive;
        char const* base;
    } const cases[] = {
        { "/x/photos.zip", "photos" },
        { "/x/archive.tar.gz", "archive" },
        { "/x/archive.tgz", "archive.tgz" },
        { "/x/archive.tar", "archive" },
        { "/x/PHOTOS.ZIP", "PHOTOS.ZIP" },
        { "/x/a.tar.gz.gz", "a" },
        { "/x/a.zip.tar.gz", "a" },
        { "/x/a.tar.zip", "a.tar" },
        { "/x/.zip.zip", "Archive" },
        { "/x/\xff.zip", "Archive" },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.archive);
        EXPECT_EQ(extraction_base_name(c.archive), c.base);
    }
}

TEST(ArchiveCommands, DestinationsAreNumberedPastAnythingPresent)
{
    test_support::TempDir temp;
    EXPECT_EQ(extraction_destination(temp.path(), "photos"), temp / "photos");
    temp.make_folder("photos");
    EXPECT_EQ(extraction_destination(temp.path(), "photos"), temp / "photos 2");
    temp.write("photos 2", "a file counts too");
    std::filesystem::create_symlink("nowhere", temp / "photos 3");
    EXPECT_EQ(extraction_destination(temp.path(), "photos"), temp / "photos 4");

    EXPECT_EQ(compression_target(temp.path(), "Docs"), temp / "Docs.zip");
    temp.write("Docs.zip", "");
    temp.write("Docs 2.zip", "");
    EXPECT_EQ(compression_target(temp.path(), "Docs"), temp / "Docs 3.zip");
}

TEST(ArchiveCommands, CompressionBaseNames)
{
    EXPECT_EQ(compression_base_name({ "/x/Docs" }), "Docs");
    EXPECT_EQ(compression_base_name({ "/x/report.txt" }), "report");
    EXPECT_EQ(compression_base_name({ "/x/archive.tar.gz" }), "archive.tar");
    EXPECT_EQ(compression_base_name({ "/x/.profile" }), ".profile");
    EXPECT_EQ(compression_base_name({ "/x/\xff.txt" }), "Archive");
    EXPECT_EQ(compression_base_name({ "/x/a", "/x/b" }), "Archive");
}

TEST(ArchiveCommands, ExtractSelectedArchives)
{
    test_support::TempDir temp;
    ZipBuilder().add_file("one.jpg", "1").add_file("two/two.jpg", "2").write(temp / "photos.zip");
    temp.make_folder("photos");
    auto corrupt = temp.write("broken.tar", std::string(1024, 'x'));
    auto notes = temp.write("notes.txt", "not an archive");

    EXPECT_EQ(extract_selected_archives({ notes }, temp.path()), expected("files-archive-select"));

    auto both = extract_selected_archives({ temp / "photos.zip", notes, corrupt }, temp.path());
    ASSERT_EQ(both.id, "files-archive-extracted-partial");
    ASSERT_EQ(both.arguments.size(), 2u);
    EXPECT_EQ(both.arguments[0], (MessageArgument { "count", std::int64_t { 2 } }));
    EXPECT_EQ(both.arguments[1].name, "failures");
    auto failures = std::get<std::string>(both.arguments[1].value);
    EXPECT_TRUE(failures.starts_with(corrupt.string() + ": ")) << failures;
    EXPECT_EQ(failures.find("; "), std::string::npos) << failures;
    EXPECT_EQ(test_support::read_file(temp / "photos 2/two/two.jpg"), "2");
    EXPECT_FALSE(std::filesystem::exists(temp / "broken"));

    EXPECT_EQ(extract_selected_archives({ temp / "photos.zip", temp / "photos.zip" }, temp.path()),
        expected("files-archive-extracted", { { "count", std::int64_t { 4 } } }));
    EXPECT_TRUE(std::filesystem::exists(temp / "photos 3"));
    EXPECT_TRUE(std::filesystem::exists(temp / "photos 4"));
}

TEST(ArchiveCommands, ExtractBrowsedArchive)
{
    test_support::TempDir temp;
    ZipBuilder().add_file("a/b", "b").write(temp / "a.zip");
    EXPECT_EQ(extract_browsed_archive(temp / "a.zip"),
        expected("files-archive-extracted", { { "count", std::int64_t { 1 } } }));
    EXPECT_EQ(test_support::read_file(temp / "a/a/b"), "b");

    ZipBuilder().add_file("../x", "b").write(temp / "evil.zip");
    EXPECT_EQ(extract_browsed_archive(temp / "evil.zip"),
        expected(
            "files-archive-extract-failed", { { "error", std::string("archive entry escapes its destination") } }));
    EXPECT_FALSE(std::filesystem::exists(temp / "evil"));
}

TEST(ArchiveCommands, CompressSelection)
{
    test_support::TempDir temp;
    auto docs = temp.write("Docs/a.txt", "a").parent_path();
    auto other = temp.write("other.txt", "o");

    EXPECT_EQ(compress_selection({}, temp.path()), expected("files-archive-select-compress"));
    EXPECT_EQ(compress_selection({ docs }, temp.path()),
        expected("files-archive-created", { { "name", std::string("Docs.zip") } }));
    EXPECT_EQ(compress_selection({ docs }, temp.path()),
        expected("files-archive-created", { { "name", std::string("Docs 2.zip") } }));
    EXPECT_EQ(compress_selection({ docs, other }, temp.path()),
        expected("files-archive-created", { { "name", std::string("Archive.zip") } }));

    auto failed = compress_selection({ other, temp / "vanished" }, temp.path());
    EXPECT_EQ(failed,
        expected("files-archive-create-failed",
            { { "error", (temp / "vanished").string() + ": No such file or directory" } }));
    EXPECT_EQ(temp.listing(),
        (std::vector<std::string> { "Archive.zip", "Docs", "Docs 2.zip", "Docs.zip", "Docs/a.txt", "other.txt" }));
}

}
