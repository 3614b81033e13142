// The demonstration fixtures: names, contents, attributes and modification
// times as the scenes need them, pictures and documents that the program's
// own readers accept, and a rebuild that starts from nothing.

#include "fileops/archive.h"
#include "model/attribute_names.h"
#include "model/attributes.h"
#include "scenes/fixture_documents.h"
#include "scenes/fixture_pictures.h"
#include "scenes/fixtures.h"
#include "services/thumbnails/thumbnail_service.h"
#include "support/temp_dir.h"

#include <archive.h>
#include <archive_entry.h>
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using files::scenes::SceneFixture;

struct PictureSize {
    int width { 0 };
    int height { 0 };
    std::string format;
};

// What gdk-pixbuf, the program's own image decoder, makes of the bytes.
PictureSize picture_size(std::string const& bytes)
{
    PictureSize size;
    GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
    bool written
        = gdk_pixbuf_loader_write(loader, reinterpret_cast<guchar const*>(bytes.data()), bytes.size(), nullptr);
    bool closed = gdk_pixbuf_loader_close(loader, nullptr);
    if (written && closed) {
        if (GdkPixbuf* pixbuf = gdk_pixbuf_loader_get_pixbuf(loader)) {
            size.width = gdk_pixbuf_get_width(pixbuf);
            size.height = gdk_pixbuf_get_height(pixbuf);
        }
        if (GdkPixbufFormat* format = gdk_pixbuf_loader_get_format(loader)) {
            gchar* name = gdk_pixbuf_format_get_name(format);
            size.format = name;
            g_free(name);
        }
    }
    g_object_unref(loader);
    return size;
}

std::int64_t modified(std::filesystem::path const& path)
{
    struct stat status { };
    return ::lstat(path.c_str(), &status) == 0 ? status.st_mtim.tv_sec : -1;
}

std::string sync_state(std::filesystem::path const& path)
{
    return files::model::read_attribute(path.string(), files::model::attribute::sync).value_or("(none)");
}

struct ZipMemberRead {
    std::string name;
    std::string content;
};

std::vector<ZipMemberRead> zip_members(std::filesystem::path const& path)
{
    std::vector<ZipMemberRead> members;
    struct archive* reader = archive_read_new();
    archive_read_support_format_zip(reader);
    if (archive_read_open_filename(reader, path.c_str(), 16384) == ARCHIVE_OK) {
        archive_entry* entry = nullptr;
        while (archive_read_next_header(reader, &entry) == ARCHIVE_OK) {
            ZipMemberRead member { archive_entry_pathname(entry), {} };
            char buffer[8192];
            la_ssize_t read = 0;
            while ((read = archive_read_data(reader, buffer, sizeof buffer)) > 0)
                member.content.append(buffer, static_cast<std::size_t>(read));
            members.push_back(std::move(member));
        }
    }
    archive_read_free(reader);
    return members;
}

class FixtureTest : public testing::Test {
protected:
    std::filesystem::path build(SceneFixture fixture)
    {
        auto built = files::scenes::build_fixture(fixture, m_temp.path());
        EXPECT_TRUE(built) << (built ? "" : built.error().text());
        EXPECT_TRUE(built && *built);
        return built && *built ? (*built)->location : std::filesystem::path();
    }

    test_support::TempDir m_temp;
};

TEST_F(FixtureTest, SyncFixtureIsTheWorkspaceRootWithItsSyncStates)
{
    auto built = files::scenes::build_fixture(SceneFixture::Sync, m_temp.path());
    ASSERT_TRUE(built && *built);
    EXPECT_TRUE((*built)->is_workspace_root);
    auto folder = (*built)->location;
    EXPECT_EQ(folder, m_temp / "kesu-files-sync-demo");
    std::vector<std::pair<std::string, std::string>> const expected {
        { "Design brief.md", "local" },
        { "meeting-notes.txt", "local" },
        { "Q3 budget.ods", "projected" },
        { "architecture.pdf", "projected" },
        { "launch-video.mp4", "downloading" },
        { "dataset.parquet", "downloading" },
    };
    for (auto const& [name, state] : expected) {
        SCOPED_TRACE(name);
        EXPECT_EQ(sync_state(folder / name), state);
        EXPECT_EQ(std::filesystem::file_size(folder / name), 0u);
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder / "shared-assets"));
    EXPECT_EQ(m_temp.listing().size(), expected.size() + 2);
}

TEST_F(FixtureTest, RebuildingStartsFromNothingWithTheSameTimes)
{
    auto folder = build(SceneFixture::Sync);
    auto first_times = std::vector<std::int64_t> {};
    for (auto const& item : std::filesystem::directory_iterator(folder))
        first_times.push_back(modified(item.path()));
    m_temp.write("kesu-files-sync-demo/stray.txt", "left over");
    files::model::write_attribute((folder / "Design brief.md").string(), files::model::attribute::sync, "projected")
        .value();
    std::filesystem::remove(folder / "dataset.parquet");

    build(SceneFixture::Sync);
    EXPECT_FALSE(std::filesystem::exists(folder / "stray.txt"));
    EXPECT_EQ(sync_state(folder / "Design brief.md"), "local");
    EXPECT_EQ(sync_state(folder / "dataset.parquet"), "downloading");
    auto second_times = std::vector<std::int64_t> {};
    for (auto const& item : std::filesystem::directory_iterator(folder))
        second_times.push_back(modified(item.path()));
    std::ranges::sort(first_times);
    std::ranges::sort(second_times);
    EXPECT_EQ(first_times, second_times);
    EXPECT_EQ(modified(folder), modified(folder / "Design brief.md"));
}

TEST_F(FixtureTest, ThumbnailsFixturePicturesHaveTheirSizesAndEncodings)
{
    auto folder = build(SceneFixture::Thumbnails);
    struct Case {
        char const* name;
        int width;
        int height;
        char const* format;
    };
    for (auto const& c : std::vector<Case> {
             { "sunset.png", 640, 480, "png" },
             { "harbour.jpg", 640, 480, "jpeg" },
             { "forest-path.png", 480, 640, "png" },
             { "bloom.jpg", 600, 600, "jpeg" },
             { "study.png", 720, 480, "png" },
         }) {
        SCOPED_TRACE(c.name);
        auto size = picture_size(test_support::read_file(folder / c.name));
        EXPECT_EQ(size.width, c.width);
        EXPECT_EQ(size.height, c.height);
        EXPECT_EQ(size.format, c.format);
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder / "Camera Roll"));
    EXPECT_EQ(test_support::read_file(folder / "release.zip"), std::string("PK\x03\x04", 4));
    EXPECT_EQ(test_support::read_file(folder / "README.md"), "# Readme");
    EXPECT_EQ(test_support::read_file(folder / "config.json"), "{}");
    for (auto const* empty : { "launch-clip.mp4", "theme.mp3", "Report.docx", "Budget.xlsx", "Inter.ttf" })
        EXPECT_EQ(std::filesystem::file_size(folder / empty), 0u) << empty;
}

TEST_F(FixtureTest, PicturesDifferInColourScheme)
{
    // Every picture paints its own palette: no two agree at the centre.
    std::vector<std::string> seen;
    for (auto picture :
        { files::scenes::Picture::Sunset, files::scenes::Picture::Harbour, files::scenes::Picture::ForestPath,
            files::scenes::Picture::Bloom, files::scenes::Picture::Study, files::scenes::Picture::TrailMap,
            files::scenes::Picture::CoverArt, files::scenes::Picture::LanternCover }) {
        auto png = files::scenes::picture_png(picture, 16, 16);
        ASSERT_FALSE(png.empty());
        EXPECT_EQ(std::ranges::count(seen, png), 0);
        seen.push_back(png);
    }
    EXPECT_EQ(files::scenes::picture_png(files::scenes::Picture::Sunset, 64, 48),
        files::scenes::picture_png(files::scenes::Picture::Sunset, 64, 48));
}

TEST_F(FixtureTest, DocumentsAreReadByTheThumbnailService)
{
    auto folder = build(SceneFixture::Thumbnails);
    auto service = services::ThumbnailService::create(m_temp / "cache");
    for (auto const* name : { "Field guide.pdf", "The Lantern-Keeper.epub", "sunset.png", "bloom.jpg" }) {
        auto path = folder / name;
        auto key = services::ThumbKey::of_path_meta(path.string(), std::filesystem::file_size(path), 1, 0);
        (void)service->request_file(key, path, services::ContentAccess::Allowed);
    }
    service->block_until_idle();
    for (auto const* name : { "Field guide.pdf", "The Lantern-Keeper.epub", "sunset.png", "bloom.jpg" }) {
        SCOPED_TRACE(name);
        auto path = folder / name;
        auto key = services::ThumbKey::of_path_meta(path.string(), std::filesystem::file_size(path), 1, 0);
        auto image = service->request_file(key, path, services::ContentAccess::Allowed);
        ASSERT_TRUE(image);
        EXPECT_FALSE(image->is_null());
    }
}

TEST_F(FixtureTest, PdfIsVersionOnePointFourWithHelveticaAndEscapedText)
{
    EXPECT_EQ(files::scenes::pdf_string_literal("a(b)c\\d"), "(a\\(b\\)c\\\\d)");
    auto pdf = files::scenes::field_guide_pdf();
    EXPECT_TRUE(pdf.starts_with("%PDF-1.4\n"));
    EXPECT_NE(pdf.find("/MediaBox [0 0 300 400]"), std::string::npos);
    EXPECT_NE(pdf.find("/BaseFont /Helvetica "), std::string::npos);
    EXPECT_NE(pdf.find("(Field Guide) Tj"), std::string::npos);
    EXPECT_NE(pdf.find("(Coastal trails \\(spring edition\\)) Tj"), std::string::npos);
    EXPECT_NE(pdf.find("(Trail \\\\ tide tables \\(p. 12\\)) Tj"), std::string::npos);
    // Every cross-reference offset points at its object.
    auto xref = pdf.find("xref\n0 6\n");
    ASSERT_NE(xref, std::string::npos);
    for (int object = 1; object <= 5; ++object) {
        auto entry = pdf.substr(xref + 9 + 20 * static_cast<std::size_t>(object), 10);
        auto offset = std::stoul(entry);
        auto header = std::to_string(object) + " 0 obj\n";
        EXPECT_EQ(pdf.substr(offset, header.size()), header) << object;
    }
    auto startxref = pdf.find("startxref\n");
    EXPECT_EQ(std::stoul(pdf.substr(startxref + 10)), xref);
}

TEST_F(FixtureTest, EpubHasItsMembersInOrderWithTheMimetypeStoredFirst)
{
    auto folder = build(SceneFixture::Thumbnails);
    auto path = folder / "The Lantern-Keeper.epub";
    auto members = zip_members(path);
    ASSERT_EQ(members.size(), 5u);
    EXPECT_EQ(members[0].name, "mimetype");
    EXPECT_EQ(members[0].content, "application/epub+zip");
    EXPECT_EQ(members[1].name, "META-INF/container.xml");
    EXPECT_NE(members[1].content.find("full-path=\"OEBPS/content.opf\""), std::string::npos);
    EXPECT_EQ(members[2].name, "OEBPS/content.opf");
    EXPECT_NE(members[2].content.find("<dc:title>The Lantern-Keeper</dc:title>"), std::string::npos);
    EXPECT_EQ(members[3].name, "OEBPS/ch1.xhtml");
    EXPECT_NE(members[3].content.find("Chapter one."), std::string::npos);
    EXPECT_EQ(members[4].name, "OEBPS/cover.png");
    EXPECT_EQ(picture_size(members[4].content).format, "png");
    // A stored first member puts its name and text at fixed offsets, where
    // readers that sniff the type look for them.
    auto bytes = test_support::read_file(path);
    EXPECT_EQ(bytes.substr(30, 8), "mimetype");
    EXPECT_NE(bytes.substr(0, 200).find("application/epub+zip"), std::string::npos);
}

TEST_F(FixtureTest, EmbeddedThumbnailsFixtureCarriesThumbnailsAndSyncStates)
{
    auto built = files::scenes::build_fixture(SceneFixture::EmbeddedThumbnails, m_temp.path());
    ASSERT_TRUE(built && *built);
    EXPECT_TRUE((*built)->is_workspace_root);
    auto folder = (*built)->location;
    std::vector<std::pair<std::string, std::string>> const with_thumbnail {
        { "Sunset over bay.png", "local" },
        { "Harbour.jpg", "projected" },
        { "Trail map.pdf", "projected" },
        { "Cover art.png", "downloading" },
        { "Studio.jpg", "local" },
    };
    std::vector<std::string> thumbnails;
    for (auto const& [name, state] : with_thumbnail) {
        SCOPED_TRACE(name);
        EXPECT_EQ(sync_state(folder / name), state);
        auto thumbnail = files::model::read_attribute((folder / name).string(), files::model::attribute::thumbnail);
        ASSERT_TRUE(thumbnail);
        auto size = picture_size(*thumbnail);
        EXPECT_EQ(size.width, 112);
        EXPECT_EQ(size.height, 84);
        EXPECT_EQ(std::ranges::count(thumbnails, *thumbnail), 0);
        thumbnails.push_back(*thumbnail);
    }
    EXPECT_EQ(sync_state(folder / "dataset.parquet"), "projected");
    EXPECT_EQ(sync_state(folder / "notes.md"), "local");
    EXPECT_FALSE(files::model::has_attribute((folder / "notes.md").string(), files::model::attribute::thumbnail));
}

TEST_F(FixtureTest, ArchiveFixtureListsAsATripArchive)
{
    auto archive = build(SceneFixture::Archive);
    EXPECT_EQ(archive, m_temp / "kesu-files-archive-demo.zip");
    std::vector<std::pair<std::string, std::string>> contents;
    for (auto const& member : zip_members(archive))
        contents.emplace_back(member.name, member.content);
    std::vector<std::pair<std::string, std::string>> const expected {
        { "Photos/Coast/IMG_2048.jpg", "photo" },
        { "Photos/Coast/IMG_2051.jpg", "photo" },
        { "Documents/Itinerary.pdf", "document" },
        { "Documents/Packing list.txt", "list" },
        { "Read me.txt", "A trip archive" },
    };
    EXPECT_EQ(contents, expected);
    auto top = files::fileops::list_archive_folder(archive, {});
    ASSERT_TRUE(top) << top.error().text();
    std::vector<std::string> names;
    for (auto const& entry : *top)
        names.push_back(entry.name + (entry.is_folder ? "/" : ""));
    EXPECT_EQ(names, (std::vector<std::string> { "Documents/", "Photos/", "Read me.txt" }));
}

TEST_F(FixtureTest, ArchiveThatCannotBeCreatedFailsTheFixture)
{
    // The temporary folder is a file, so nothing can be created in it.
    auto not_a_folder = m_temp.write("blocked", "a file, not a folder");
    auto built = files::scenes::build_fixture(SceneFixture::Archive, not_a_folder);
    ASSERT_FALSE(built);
    EXPECT_TRUE(built.error().text().starts_with("cannot create the archive fixture: cannot write "))
        << built.error().text();
}

}
