#include "entry_builders.h"
#include "model/fingerprint.h"
#include "model/reread.h"

#include <gtest/gtest.h>

namespace files::model {
namespace {

    using namespace testing;
    using namespace std::chrono_literals;

    TEST(RefreshInterval, GrowsWithTheFolderSize)
    {
        struct Case {
            std::size_t count;
            std::chrono::milliseconds interval;
        };
        Case const cases[] = {
            { 0, 750ms },
            { 511, 750ms },
            { 512, 3s },
            { 4095, 3s },
            { 4096, 12s },
            { 19999, 12s },
            { 20000, 30s },
            { 1000000, 30s },
        };
        for (auto const& test_case : cases) {
            SCOPED_TRACE(test_case.count);
            EXPECT_EQ(refresh_interval(test_case.count), test_case.interval);
        }
    }

    TEST(ListingOrderHash, FingerprintsNamesAndKindsInOrder)
    {
        // Expected digests computed independently from the byte layout.
        struct Case {
            char const* label;
            std::vector<Entry> entries;
            char const* digest;
        };
        Case const cases[] = {
            { "empty list", {}, "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855" },
            { "folder then file", { folder("docs"), file("a.txt") },
                "4c3c68fa02e21f5659916dae9806b3c91ae4104434dbcde1d3e8d377777e6d0c" },
            { "swapped", { file("a.txt"), folder("docs") },
                "588a43d80056bf4ff4d956178f5a0a72dc67f1e106405bf84a29692da9150948" },
            { "kind flag counts", { file("docs"), file("a.txt") },
                "8069fd8e15c3438c8ce6e81164a14b2bff0e4150f4f753c8a90477dee5240073" },
            { "replaced name bytes", { file("b\xEF\xBF\xBD") },
                "87179e2ffd3a7a432ce402239b5071e75fd956187c6d075d9b86318d10271020" },
        };
        for (auto const& test_case : cases) {
            SCOPED_TRACE(test_case.label);
            EXPECT_EQ(listing_order_hash(test_case.entries), test_case.digest);
        }
    }

    TEST(EntryIdentity, RecordIdsAndPathsMatchOnlyTheirOwnKind)
    {
        Entry plain = file("a");
        Entry recorded = file("a");
        recorded.record_id = record(1);
        Entry same_record_elsewhere = file("renamed");
        same_record_elsewhere.record_id = record(1);
        Entry other_record = file("a");
        other_record.record_id = record(2);
        Entry slashed = file("a");
        slashed.path = "/listing//a";

        struct Case {
            char const* label;
            Entry const& a;
            Entry const& b;
            bool matches;
        };
        Case const cases[] = {
            { "same path", plain, file("a"), true },
            { "path compared by components", plain, slashed, true },
            { "different path", plain, file("b"), false },
            { "record survives a rename", recorded, same_record_elsewhere, true },
            { "different records at one path", recorded, other_record, false },
            { "record never matches a path", recorded, plain, false },
        };
        for (auto const& test_case : cases) {
            SCOPED_TRACE(test_case.label);
            auto const a = EntryIdentity::of(test_case.a);
            auto const b = EntryIdentity::of(test_case.b);
            EXPECT_EQ(a.matches(b), test_case.matches);
            EXPECT_EQ(a.key() == b.key(), test_case.matches) << "hash key must agree with matches()";
        }
    }

    Entry with_record(Entry entry, std::uint8_t tag)
    {
        entry.record_id = record(tag);
        return entry;
    }

    TEST(ApplyReread, UnchangedListingReplacesNothing)
    {
        std::vector<Entry> current = { folder("d"), file("a", 3), with_record(file("w"), 9) };
        auto const* storage = current.data();
        auto outcome = apply_reread(current, std::vector<Entry>(current), SelectionIndices { { 1 }, 1 });
        EXPECT_FALSE(outcome.has_value());
        EXPECT_EQ(current.data(), storage) << "the list object must be left alone";
    }

    TEST(ApplyReread, AnyFieldChangeCountsAsAChange)
    {
        std::vector<Entry> current = { file("a", 3) };
        auto fresh = current;
        fresh[0].modified = LocalDateTime { 5, 0, 0 };
        auto outcome = apply_reread(current, std::move(fresh), SelectionIndices {});
        ASSERT_TRUE(outcome.has_value());
        EXPECT_TRUE(current[0].modified.has_value());
    }

    TEST(ApplyReread, SelectionFollowsIdentity)
    {
        struct Case {
            char const* label;
            std::vector<Entry> before;
            SelectionIndices selection;
            std::vector<Entry> after;
            SelectionIndices expected;
        };
        std::vector<Case> const cases = {
            { "workspace file renamed outside keeps its selection", { file("a"), with_record(file("report"), 7) },
                { { 1 }, 1 }, { file("a"), file("new"), with_record(file("report-final"), 7) }, { { 2 }, 2 } },
            { "plain file renamed outside loses its selection", { file("a"), file("b") }, { { 1 }, 1 },
                { file("a"), file("c") }, { {}, std::nullopt } },
            { "items move to new positions", { file("a"), file("b"), file("c") }, { { 0, 2 }, 0 },
                { file("0"), file("a"), file("b"), file("c") }, { { 1, 3 }, 1 } },
            { "vanished primary drops, others stay", { file("a"), file("b"), file("c") }, { { 0, 1 }, 1 },
                { file("a"), file("c") }, { { 0 }, std::nullopt } },
            { "stale indices are ignored", { file("a") }, { { 0, 5 }, 5 }, { file("a"), file("z") },
                { { 0 }, std::nullopt } },
        };
        for (auto const& test_case : cases) {
            SCOPED_TRACE(test_case.label);
            auto current = test_case.before;
            auto outcome = apply_reread(current, std::vector<Entry>(test_case.after), test_case.selection);
            ASSERT_TRUE(outcome.has_value());
            EXPECT_EQ(current, test_case.after);
            EXPECT_EQ(outcome->selected, test_case.expected.selected);
            EXPECT_EQ(outcome->primary, test_case.expected.primary);
        }
    }

    TEST(LocalDateTime, CalendarFieldsComeFromInstantAndOffset)
    {
        struct Case {
            std::int64_t seconds;
            std::int32_t offset;
            LocalDateTime::Calendar expected;
        };
        Case const cases[] = {
            { 0, 0, { 1970, 1, 1, 0, 0, 0 } },
            { -1, 0, { 1969, 12, 31, 23, 59, 59 } },
            { 951782400, 0, { 2000, 2, 29, 0, 0, 0 } },
            { 1700000000, 3600, { 2023, 11, 14, 23, 13, 20 } },
            { 1700000000, -28800, { 2023, 11, 14, 14, 13, 20 } },
        };
        for (auto const& test_case : cases) {
            SCOPED_TRACE(test_case.seconds);
            auto const calendar = LocalDateTime { test_case.seconds, 0, test_case.offset }.calendar();
            EXPECT_EQ(calendar.year, test_case.expected.year);
            EXPECT_EQ(calendar.month, test_case.expected.month);
            EXPECT_EQ(calendar.day, test_case.expected.day);
            EXPECT_EQ(calendar.hour, test_case.expected.hour);
            EXPECT_EQ(calendar.minute, test_case.expected.minute);
            EXPECT_EQ(calendar.second, test_case.expected.second);
        }
    }

    TEST(LocalDateTime, ConversionUsesTheProcessTimeZone)
    {
        char const* saved = getenv("TZ");
        std::string const previous = saved ? saved : "";
        setenv("TZ", "XST-2", 1); // two hours east of UTC, no daylight saving
        tzset();
        auto const local = to_local_date_time(1700000000, 5);
        if (saved)
            setenv("TZ", previous.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
        EXPECT_EQ(local.utc_offset_seconds, 7200);
        EXPECT_EQ(local.unix_seconds, 1700000000);
        EXPECT_EQ(local.nanoseconds, 5U);
        EXPECT_EQ(local.calendar().hour, 0U); // 22:13:20 UTC + 2 h
    }

}
}
