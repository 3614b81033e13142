#include "app/properties.h"
#include "i18n/format.h"
#include "i18n/translate.h"

#include <gtest/gtest.h>

using namespace files::app;
using files::i18n::translate;
using files::i18n::translate_with;

namespace {

files::model::Entry entry(std::string path, bool is_dir)
{
    files::model::Entry e;
    e.path = path;
    e.name = path == "/" ? "/" : std::filesystem::path(path).filename().string();
    e.is_dir = is_dir;
    return e;
}

std::string modified_line(std::int64_t unix_seconds)
{
    return translate_with("files-property-modified",
        { { "time", files::i18n::format_local_time(std::chrono::local_seconds(std::chrono::seconds(unix_seconds))) } });
}

}

TEST(Properties, DurationText)
{
    struct Case {
        std::uint64_t ms;
        char const* text;
    };
    for (auto const& c :
        std::vector<Case> { { 0, "0:00" }, { 59'999, "0:59" }, { 245'000, "4:05" }, { 3'599'999, "59:59" },
            { 3'600'000, "1:00:00" }, { 3'729'000, "1:02:09" }, { 100 * 3'600'000ull + 61'000, "100:01:01" } })
        EXPECT_EQ(duration_text(c.ms), c.text) << c.ms;
}

TEST(Properties, PlainFolderRootAndUnreadableFile)
{
    auto folder = entry("/home/u/Projects", true);
    folder.modified = files::model::LocalDateTime { 1'700'000'000, 0, 0 };
    auto sheet = properties_sheet(folder);
    EXPECT_EQ(sheet.title, translate_with("files-properties-title", { { "name", "Projects" } }));
    EXPECT_EQ(sheet.summary, translate("files-properties-summary"));
    EXPECT_EQ(sheet.detail_lines,
        (std::vector<std::string> {
            translate_with("files-property-type", { { "type", translate("files-a11y-folder") } }),
            translate_with("files-property-location", { { "location", "/home/u" } }),
            translate_with("files-property-size", { { "size", "—" } }),
            modified_line(1'700'000'000),
        }));
    EXPECT_FALSE(sheet.confirm);

    EXPECT_EQ(properties_sheet(entry("/", true)).detail_lines[1],
        translate_with("files-property-location", { { "location", "/" } }));

    // A file whose status could not be read has no time and no size.
    auto unreadable = entry("/tmp/gone.bin", false);
    unreadable.mime = "application/octet-stream";
    auto lines = properties_sheet(unreadable).detail_lines;
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], translate_with("files-property-type", { { "type", "application/octet-stream" } }));
    EXPECT_EQ(lines[2], translate_with("files-property-size", { { "size", files::i18n::format_size(0) } }));
    EXPECT_EQ(lines[3], translate_with("files-property-modified", { { "time", translate("files-property-unknown") } }));
}

TEST(Properties, WorkspaceVideoShowsItsVerifiedRecords)
{
    auto video = entry("/work/launch.mp4", false);
    video.mime = "video/mp4";
    auto record = collab::Uuid::parse("0f8fad5b-d9cb-469f-a165-70867728950e");
    ASSERT_TRUE(record);
    video.record_id = *record;
    files::model::ContentHash hash {};
    for (std::size_t i = 0; i < hash.size(); ++i)
        hash[i] = static_cast<std::uint8_t>(0xa0 + i);
    video.content_hash = hash;
    files::model::FileMetadataRecord metadata;
    metadata.record_id = *record;
    metadata.properties.duration_ms = 3'725'000;
    metadata.properties.codec = "h264";
    // A width without a height gives no Dimensions line.
    metadata.properties.image_width = 1920;
    video.metadata = metadata;
    files::model::AvailabilityRecord availability;
    availability.record_id = *record;
    availability.residency = files::model::ResidencyState::Resident;
    availability.resident_bytes = 1'048'576;
    video.availability = availability;

    auto sheet = properties_sheet(video);
    EXPECT_EQ(sheet.summary, translate("files-properties-collab-summary"));
    ASSERT_EQ(sheet.detail_lines.size(), 9u);
    EXPECT_EQ(std::vector<std::string>(sheet.detail_lines.begin() + 4, sheet.detail_lines.end()),
        (std::vector<std::string> {
            translate_with(
                "files-property-collaborative-record", { { "record", "0f8fad5b-d9cb-469f-a165-70867728950e" } }),
            translate_with("files-property-content", { { "hash", "a0a1a2a3a4a5a6a7" } }),
            translate_with("files-property-duration", { { "duration", "1:02:05" } }),
            translate_with("files-property-codec", { { "codec", "h264" } }),
            translate_with("files-property-on-device",
                { { "state", translate_with("files-residency-local", { { "bytes", std::uint64_t { 1'048'576 } } }) } }),
        }));
    // Byte counts are plain digits, not a formatted size.
    EXPECT_NE(sheet.detail_lines.back().find("1048576"), std::string::npos);
}

TEST(Properties, SharingAndHistoryCounts)
{
    auto file = entry("/work/plan.txt", false);
    files::model::ShareSummary share;
    share.grants.resize(3);
    share.grants[0].status = files::model::GrantStatus::Revoked;
    share.grants[1].status = files::model::GrantStatus::Active;
    share.grants[2].status = files::model::GrantStatus::Expired;
    file.share = share;
    files::model::HistorySummary history;
    history.total_versions = 5;
    history.conflicts.resize(3);
    history.conflicts[1].status = collab::ConflictStatus::Resolved;
    file.history = history;
    auto lines = properties_sheet(file).detail_lines;
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[4], translate_with("files-property-sharing", { { "count", std::uint64_t { 1 } } }));
    EXPECT_EQ(lines[5],
        translate_with(
            "files-property-history", { { "versions", std::uint64_t { 5 } }, { "conflicts", std::uint64_t { 2 } } }));
}

TEST(Properties, OpensForThePrimaryEntryOnly)
{
    ExplorerState state;
    state.entries = { entry("/a/one", false), entry("/a/two", true) };
    open_properties(state);
    EXPECT_FALSE(state.sheet);
    // A primary index the list no longer holds.
    state.selection.assign({ 5 }, 5);
    open_properties(state);
    EXPECT_FALSE(state.sheet);
    state.selection.select_only(1);
    open_properties(state);
    ASSERT_TRUE(state.sheet);
    EXPECT_EQ(state.sheet->title, translate_with("files-properties-title", { { "name", "two" } }));
}
