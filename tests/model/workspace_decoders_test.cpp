#include "model/workspace_decoders.h"
#include "workspace_fixtures.h"

#include <functional>

#include <gtest/gtest.h>

namespace files::model {
namespace {

    using namespace testing;

    struct DecodeCase {
        std::string label;
        std::string value;
        bool accepted;
    };

    using Decoder = std::function<bool(std::string_view)>;

    void expect_cases(Decoder const& decodes, std::vector<DecodeCase> const& cases)
    {
        for (auto const& test_case : cases) {
            SCOPED_TRACE(test_case.label);
            EXPECT_EQ(decodes(test_case.value), test_case.accepted);
        }
    }

    // The document with one field changed (or removed, for a discarded value).
    Json with(Json document, Json::json_pointer const& where, Json value)
    {
        if (value.is_discarded())
            document.at(where.parent_pointer()).erase(where.back());
        else
            document[where] = std::move(value);
        return document;
    }

    Json const removed = Json(Json::value_t::discarded);

    // Pads a compact document with trailing spaces to exactly `size` bytes.
    std::string padded_to(Json const& document, std::size_t size)
    {
        std::string text = document.dump();
        text.resize(size, ' ');
        return text;
    }

    TEST(DecodeRawAttributes, SyncStateRecordIdAndContentHash)
    {
        auto sync = [](std::string_view v) { return decode_sync_state(v); };
        EXPECT_EQ(sync("projected\n"), SyncState::Projected);
        EXPECT_EQ(sync(" local\t"), SyncState::Local);
        EXPECT_EQ(sync("downloading"), SyncState::Downloading);
        for (std::string_view rejected : { "Projected", "", "remote", "local x",
                 "loc\xFF"
                 "al",
                 "\xFFlocal" }) {
            SCOPED_TRACE(std::string(rejected));
            EXPECT_FALSE(sync(rejected).has_value());
        }

        for (std::size_t length : { 0, 15, 16, 17 }) {
            SCOPED_TRACE(length);
            EXPECT_EQ(decode_record_id(std::string(length, '\x01')).has_value(), length == 16);
        }
        for (std::size_t length : { 31, 32, 33 }) {
            SCOPED_TRACE(length);
            EXPECT_EQ(decode_content_hash(std::string(length, '\x02')).has_value(), length == 32);
        }
        auto id = decode_record_id(std::string("\x00\x11\x22\x33\x44\x55\x66\x77\x88\x99\xaa\xbb\xcc\xdd\xee\xff", 16));
        ASSERT_TRUE(id.has_value());
        EXPECT_EQ(id->to_text(), "00112233-4455-6677-8899-aabbccddeeff");
    }

    TEST(DecodeFileMetadata, KeepsTheTypedFieldsOfAValidRecord)
    {
        auto record = decode_file_metadata(metadata_document().dump());
        ASSERT_TRUE(record.has_value());
        EXPECT_EQ(record->record_id.to_text(), record_text);
        EXPECT_EQ(record->properties.image_width, 640U);
        EXPECT_EQ(record->properties.duration_ms, 3725000U);
        EXPECT_EQ(record->properties.codec, "h264");
        EXPECT_FALSE(record->properties.page_count.has_value());
    }

    TEST(DecodeFileMetadata, RejectsBrokenRecords)
    {
        auto const doc = metadata_document();
        expect_cases([](std::string_view v) { return decode_file_metadata(v).has_value(); },
            {
                { "valid", doc.dump(), true },
                { "at the 2048-byte bound", padded_to(doc, 2048), true },
                { "one byte over the bound", padded_to(doc, 2049), false },
                { "schema 2", with(doc, "/schema_version"_json_pointer, 2).dump(), false },
                { "no schema", with(doc, "/schema_version"_json_pointer, removed).dump(), false },
                { "nil record id", with(doc, "/record_id"_json_pointer, "00000000-0000-0000-0000-000000000000").dump(),
                    false },
                { "record id not a uuid", with(doc, "/record_id"_json_pointer, "record-7").dump(), false },
                { "width without height", with(doc, "/properties/image_height"_json_pointer, removed).dump(), false },
                { "negative duration", with(doc, "/properties/duration_ms"_json_pointer, -5).dump(), false },
                { "oversize codec", with(doc, "/properties/codec"_json_pointer, std::string(65, 'c')).dump(), false },
                { "no properties", with(doc, "/properties"_json_pointer, removed).dump(), false },
                { "trailing text", doc.dump() + " x", false },
                { "two values", doc.dump() + doc.dump(), false },
                { "not json", "{schema_version: 1}", false },
            });
    }

    TEST(DecodeAvailability, KeepsTheTypedFieldsOfAValidRecord)
    {
        auto record = decode_availability(availability_document().dump());
        ASSERT_TRUE(record.has_value());
        EXPECT_EQ(record->residency, ResidencyState::Resident);
        EXPECT_EQ(record->resident_bytes, 1048576U);
        EXPECT_EQ(record->phase, TransferPhase::Downloading);
        ASSERT_TRUE(record->progress.has_value());
        EXPECT_EQ(record->progress->total_bytes, 20U);
        EXPECT_EQ(record->policy, AvailabilityPolicy::Pinned);
        EXPECT_TRUE(record->policy_inherited);
        EXPECT_EQ(record->replicas, ReplicaState::Known);
        EXPECT_EQ(record->durable_replicas, 1U);
        EXPECT_FALSE(record->local_verified_at_ms.has_value());
    }

    TEST(DecodeAvailability, RejectsBrokenRecords)
    {
        auto const doc = availability_document();
        auto const with_error = with(with(doc, "/transfer/last_error"_json_pointer, "disk full"),
            "/transfer/last_error_at_ms"_json_pointer, 1700000000000);
        expect_cases([](std::string_view v) { return decode_availability(v).has_value(); },
            {
                { "valid", doc.dump(), true },
                { "error with its time", with_error.dump(), true },
                { "not resident needs no bytes",
                    with(doc, "/residency"_json_pointer, { { "state", "not_resident" } }).dump(), true },
                { "no progress", with(doc, "/transfer/progress"_json_pointer, removed).dump(), true },
                { "progress without total", with(doc, "/transfer/progress/total_bytes"_json_pointer, nullptr).dump(),
                    true },
                { "at the 2048-byte bound", padded_to(doc, 2048), true },
                { "2049 bytes", padded_to(doc, 2049), false },
                { "1 MiB", padded_to(doc, 1 << 20), false },
                { "error without its time", with(doc, "/transfer/last_error"_json_pointer, "disk full").dump(), false },
                { "error time without error",
                    with(doc, "/transfer/last_error_at_ms"_json_pointer, 1700000000000).dump(), false },
                { "completed beyond total", with(doc, "/transfer/progress/completed_bytes"_json_pointer, 21).dump(),
                    false },
                { "unknown phase", with(doc, "/transfer/phase"_json_pointer, "paused").dump(), false },
                { "missing error_truncated", with(doc, "/transfer/error_truncated"_json_pointer, removed).dump(),
                    false },
                { "partial without bytes", with(doc, "/residency"_json_pointer, { { "state", "partial" } }).dump(),
                    false },
                { "replica count above u32", with(doc, "/replicas/reachable"_json_pointer, 4294967296ULL).dump(),
                    false },
                { "unknown policy", with(doc, "/policy"_json_pointer, "sometimes").dump(), false },
                { "schema 0", with(doc, "/schema_version"_json_pointer, 0).dump(), false },
            });
    }

    TEST(DecodeShareSummary, AcceptsUpTo32GrantsAndRejectsBrokenOnes)
    {
        auto const doc = share_document(2);
        auto record = decode_share_summary(doc.dump());
        ASSERT_TRUE(record.has_value());
        ASSERT_EQ(record->grants.size(), 2U);
        EXPECT_FALSE(record->grants[0].person.has_value());
        EXPECT_TRUE(record->grants[1].person.has_value());
        EXPECT_EQ(record->grants[1].permission, GrantPermission::Edit);
        EXPECT_EQ(record->grants[0].max_redemptions, 5U);

        expect_cases([](std::string_view v) { return decode_share_summary(v).has_value(); },
            {
                { "32 grants", share_document(32).dump(), true },
                { "33 grants", share_document(33).dump(), false },
                { "unknown status", with(doc, "/grants/0/status"_json_pointer, "paused").dump(), false },
                { "person key of 31 bytes",
                    with(doc, "/grants/1/subject/person"_json_pointer, Json::array({ 1, 2, 3 })).dump(), false },
                { "key byte above 255", with(doc, "/grants/1/subject/person/0"_json_pointer, 256).dump(), false },
                { "unknown subject kind", with(doc, "/grants/0/subject/kind"_json_pointer, "group").dump(), false },
                { "permission in lower case", with(doc, "/grants/0/permission"_json_pointer, "view").dump(), false },
                { "over 16384 bytes", padded_to(doc, 16385), false },
            });
    }

    TEST(DecodeHistorySummary, KeepsVersionsAndConflicts)
    {
        auto record = decode_history_summary(history_document().dump());
        ASSERT_TRUE(record.has_value());
        EXPECT_EQ(record->total_versions, 5U);
        ASSERT_EQ(record->versions.size(), 2U);
        EXPECT_EQ(record->versions[0].parents.size(), 1U);
        EXPECT_EQ(record->versions[0].provenance, "\"Edit\"");
        ASSERT_EQ(record->conflicts.size(), 1U);
        EXPECT_EQ(record->conflicts[0].status, collab::ConflictStatus::Open);
    }

    TEST(DecodeHistorySummary, RejectsBrokenRecords)
    {
        auto const doc = history_document();
        Json thirteen = Json::array();
        Json nine_heads = Json::array();
        for (int i = 0; i < 13; ++i) {
            char id[37];
            std::snprintf(id, sizeof id, "00000000-0000-4000-8000-%012d", i + 1);
            thirteen.push_back(version_document(id, Json::array()));
            if (i < 9)
                nine_heads.push_back(id);
        }
        expect_cases([](std::string_view v) { return decode_history_summary(v).has_value(); },
            {
                { "valid", doc.dump(), true },
                { "restore provenance",
                    with(doc, "/versions/0/provenance"_json_pointer, { { "Restore", { { "from", version_a } } } })
                        .dump(),
                    true },
                { "13 versions",
                    with(with(doc, "/versions"_json_pointer, thirteen), "/total_versions"_json_pointer, 13).dump(),
                    false },
                { "9 heads", with(doc, "/heads"_json_pointer, nine_heads).dump(), false },
                { "total below the listed count", with(doc, "/total_versions"_json_pointer, 1).dump(), false },
                { "version of another record", with(doc, "/versions/0/record_id"_json_pointer, version_a).dump(),
                    false },
                { "version is its own parent",
                    with(doc, "/versions/0/parents"_json_pointer, Json::array({ version_b })).dump(), false },
                { "unknown provenance", with(doc, "/versions/0/provenance"_json_pointer, "Teleport").dump(), false },
                { "conflict of another record", with(doc, "/conflicts/0/record_id"_json_pointer, version_b).dump(),
                    false },
                { "resolved conflict without resolution",
                    with(doc, "/conflicts/0/status"_json_pointer, "Resolved").dump(), false },
                { "conflict with one version",
                    with(doc, "/conflicts/0/versions"_json_pointer, Json::array({ version_a })).dump(), false },
                { "record id not a uuid", with(doc, "/record_id"_json_pointer, "x").dump(), false },
                { "schema 2", with(doc, "/schema_version"_json_pointer, 2).dump(), false },
                { "over 16384 bytes", padded_to(doc, 16385), false },
            });
    }

}
}
