#include "entry_builders.h"
#include "model/sorting.h"

#include <gtest/gtest.h>

namespace files::model {
namespace {

    using namespace testing;

    std::vector<std::string> names(std::vector<Entry> const& entries)
    {
        std::vector<std::string> out;
        for (auto const& entry : entries)
            out.push_back(entry.name);
        return out;
    }

    struct SortCase {
        char const* label;
        std::vector<Entry> input;
        SortKey key;
        SortOrder order;
        std::vector<std::string> expected;
    };

    // Two entries with the same name text but distinct paths, to watch stability.
    Entry same_name(char const* name, char const* tag)
    {
        Entry entry = file(name);
        entry.path += tag;
        return entry;
    }

    TEST(SortEntries, OrdersByTheRulesOfEachKey)
    {
        auto const asc = SortOrder::Ascending;
        auto const desc = SortOrder::Descending;
        std::vector<SortCase> const cases = {
            { "case-insensitive name", { file("B"), file("a"), file("C") }, SortKey::Name, asc, { "a", "B", "C" } },
            { "case-insensitive name, descending", { file("B"), file("a"), file("C") }, SortKey::Name, desc,
                { "C", "B", "a" } },
            { "digits compare as characters", { file("file2"), file("file10") }, SortKey::Name, asc,
                { "file10", "file2" } },
            { "folders first ascending", { file("alpha"), folder("zeta") }, SortKey::Name, asc, { "zeta", "alpha" } },
            { "folders first descending", { file("alpha"), folder("zeta") }, SortKey::Name, desc, { "zeta", "alpha" } },
            { "folders first by size", { file("big", 900), folder("dir"), file("small", 1) }, SortKey::Size, desc,
                { "dir", "big", "small" } },
            { "shorter prefix first", { file("abc"), file("ab") }, SortKey::Name, asc, { "ab", "abc" } },
            // No accent folding: lower-case a-umlaut (C3 A4) sorts after every ASCII letter.
            { "no accent folding", { file("\xC3\x84rger"), file("bar") }, SortKey::Name, asc,
                { "bar", "\xC3\x84rger" } },
            // Full mapping: capital I with dot above lowers to "i" plus U+0307, so
            // it sorts after "i" followed by U+0307 and "a". The simple mapping
            // would give plain "iz" and put it first.
            { "full lower-case mapping",
                { file("\xC4\xB0z"),
                    file("i\xCC\x87"
                         "a") },
                SortKey::Name, asc,
                { "i\xCC\x87"
                  "a",
                    "\xC4\xB0z" } },
            { "equal sizes keep enumeration order", { file("second", 5), file("first", 5), file("tiny", 1) },
                SortKey::Size, asc, { "tiny", "second", "first" } },
            { "equal sizes keep enumeration order descending", { file("second", 5), file("first", 5), file("tiny", 1) },
                SortKey::Size, desc, { "second", "first", "tiny" } },
            { "missing time first ascending",
                { modified_at(file("new"), 200), file("untimed"), modified_at(file("old"), 100) }, SortKey::Modified,
                asc, { "untimed", "old", "new" } },
            { "missing time last descending",
                { modified_at(file("new"), 200), file("untimed"), modified_at(file("old"), 100) }, SortKey::Modified,
                desc, { "new", "old", "untimed" } },
            { "mime byte order",
                { file("notes.txt", 0, "text/plain"), file("shot.png", 0, "image/png"),
                    file("paper.pdf", 0, "application/pdf") },
                SortKey::Type, asc, { "paper.pdf", "shot.png", "notes.txt" } },
        };
        for (auto const& test_case : cases) {
            SCOPED_TRACE(test_case.label);
            auto entries = test_case.input;
            sort_entries(entries, test_case.key, test_case.order);
            EXPECT_EQ(names(entries), test_case.expected);
        }
    }

    TEST(SortEntries, EqualNamesKeepTheirOrderInBothDirections)
    {
        for (auto order : { SortOrder::Ascending, SortOrder::Descending }) {
            std::vector<Entry> entries = { same_name("a", "1"), same_name("A", "2"), same_name("a", "3") };
            sort_entries(entries, SortKey::Name, order);
            ASSERT_EQ(entries.size(), 3U);
            EXPECT_EQ(entries[0].path, "/listing/a1");
            EXPECT_EQ(entries[1].path, "/listing/A2");
            EXPECT_EQ(entries[2].path, "/listing/a3");
        }
    }

    TEST(SortEntries, SortingKeepsEveryFieldOfTheEntries)
    {
        Entry timed = modified_at(file("b", 7, "text/plain"), 42);
        timed.record_id = record(3);
        std::vector<Entry> entries = { timed, folder("z"), file("a") };
        sort_entries(entries, SortKey::Name, SortOrder::Ascending);
        ASSERT_EQ(entries.size(), 3U);
        EXPECT_EQ(entries[2], timed);
    }

    TEST(LowerCaseKey, UsesTheFullUnicodeMapping)
    {
        EXPECT_EQ(lower_case_key("MiXeD 10"), "mixed 10");
        EXPECT_EQ(lower_case_key("\xC3\x84"
                                 "B"),
            "\xC3\xA4"
            "b"); // Ä → ä
        EXPECT_EQ(lower_case_key("\xC4\xB0"), "i\xCC\x87"); // İ → i + U+0307
        EXPECT_EQ(lower_case_key("\xCE\xA3\xCE\x91"), "\xCF\x83\xCE\xB1"); // ΣΑ → σα, not locale-aware
    }

}
}

namespace files::model {
namespace {

    // Long permutation cycles: the in-place reordering must still give a sorted,
    // stable result with every entry present once.
    TEST(SortEntries, LargeShuffledListEndsSortedAndStable)
    {
        std::vector<Entry> entries;
        for (std::size_t i = 0; i < 500; ++i) {
            auto entry = testing::file(std::to_string(i), (i * 7919) % 37);
            entry.is_dir = i % 11 == 0;
            entries.push_back(std::move(entry));
        }
        for (auto order : { SortOrder::Ascending, SortOrder::Descending }) {
            auto sorted = entries;
            sort_entries(sorted, SortKey::Size, order);
            ASSERT_EQ(sorted.size(), entries.size());
            for (std::size_t i = 1; i < sorted.size(); ++i) {
                auto const& a = sorted[i - 1];
                auto const& b = sorted[i];
                SCOPED_TRACE(a.name + " then " + b.name);
                ASSERT_FALSE(!a.is_dir && b.is_dir) << "folders first";
                if (a.is_dir != b.is_dir)
                    continue;
                if (a.size == b.size)
                    EXPECT_LT(std::stoul(a.name), std::stoul(b.name)) << "equal keys keep their order";
                else
                    EXPECT_EQ(a.size < b.size, order == SortOrder::Ascending);
            }
        }
    }

}
}
