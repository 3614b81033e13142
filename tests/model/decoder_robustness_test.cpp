// Long randomised runs of every attribute decoder over mutated documents: no
// crash, no sanitizer report, and whatever is accepted still obeys the
// record's rules. A fixed seed keeps failures reproducible.

#include "model/record_index.h"
#include "model/workspace_decoders.h"
#include "workspace_fixtures.h"

#include <algorithm>
#include <functional>
#include <random>

#include <gtest/gtest.h>

namespace files::model {
namespace {

    using namespace testing;

    class Mutator {
    public:
        explicit Mutator(std::uint32_t seed)
            : m_random(seed)
        {
        }

        std::string mutate(Json const& document)
        {
            switch (pick(4)) {
            case 0:
                return replace_leaf(document).dump();
            case 1:
                return flip_bytes(document.dump());
            case 2:
                return truncate(document.dump());
            default:
                return replace_leaf(replace_leaf(document)).dump();
            }
        }

    private:
        std::size_t pick(std::size_t count)
        {
            return std::uniform_int_distribution<std::size_t>(0, count - 1)(m_random);
        }

        Json random_value()
        {
            switch (pick(12)) {
            case 0:
                return nullptr;
            case 1:
                return -1;
            case 2:
                return 0;
            case 3:
                return std::numeric_limits<std::uint64_t>::max();
            case 4:
                return 1.5;
            case 5:
                return "";
            case 6:
                return std::string(70, 'x');
            case 7:
                return Json::array();
            case 8:
                return Json::object();
            case 9:
                return true;
            case 10:
                return version_a;
            default:
                return "/a/../b";
            }
        }

        // Replaces (or, one time in five, removes) one leaf of the document.
        Json replace_leaf(Json const& document)
        {
            Json const flat = document.flatten();
            if (flat.empty())
                return document;
            auto it = flat.begin();
            std::advance(it, static_cast<std::ptrdiff_t>(pick(flat.size())));
            Json::json_pointer const where(it.key());
            Json changed = document;
            if (pick(5) == 0 && !where.empty()) {
                auto& parent = changed.at(where.parent_pointer());
                if (parent.is_object())
                    parent.erase(where.back());
                else if (parent.is_array())
                    parent.erase(std::stoul(where.back()));
            } else {
                changed[where] = random_value();
            }
            return changed;
        }

        std::string flip_bytes(std::string text)
        {
            for (std::size_t n = 1 + pick(4); n > 0 && !text.empty(); --n)
                text[pick(text.size())] = static_cast<char>(pick(256));
            return text;
        }

        std::string truncate(std::string text) { return text.substr(0, pick(text.size() + 1)); }

        std::mt19937 m_random;
    };

    struct Target {
        char const* name;
        Json seed;
        // Decodes and, when accepted, checks the record's rules; true when
        // something was accepted.
        std::function<bool(std::string const&)> decode_and_check;
    };

    void check_history(HistorySummary const& history)
    {
        EXPECT_LE(history.heads.size(), HistorySummary::max_heads);
        EXPECT_LE(history.versions.size(), HistorySummary::max_versions);
        EXPECT_LE(history.conflicts.size(), HistorySummary::max_conflicts);
        EXPECT_GE(history.total_versions, history.versions.size());
        for (auto const& version : history.versions) {
            EXPECT_TRUE(version.validate());
            EXPECT_EQ(version.record_id, history.record_id);
        }
        for (auto const& conflict : history.conflicts)
            EXPECT_TRUE(conflict.validate());
    }

    bool check_paths(std::vector<RecordIndexEntry> const& records)
    {
        for (auto const& entry : records)
            EXPECT_TRUE(resolve_record_path("/root", entry.path).has_value()) << entry.path;
        return true;
    }

    std::vector<Target> targets()
    {
        Json const records = { { { "record_id", version_a }, { "path", "/a" }, { "is_dir", false } },
            { { "record_id", version_b }, { "path", "/b/c" }, { "is_dir", true } } };
        Json const v1 = { { "schema_version", 1 }, { "truncated", false }, { "records", records } };
        Json const head = { { "schema_version", 3 }, { "revision", std::string(64, 'b') },
            { "initial_cursor", version_a }, { "page_entries", 32 } };
        Json const v2_page = { { "schema_version", 2 }, { "revision", std::string(64, 'b') }, { "offset", 0 },
            { "next_offset", 32 }, { "records", records } };
        Json const v3_page = { { "schema_version", 3 }, { "revision", std::string(64, 'b') },
            { "next_cursor", version_b }, { "records", records } };
        return {
            { "metadata", metadata_document(),
                [](std::string const& v) {
                    auto r = decode_file_metadata(v);
                    if (r) {
                        EXPECT_FALSE(r->record_id.is_nil());
                        EXPECT_TRUE(r->properties.validate());
                    }
                    return r.has_value();
                } },
            { "availability", availability_document(),
                [](std::string const& v) {
                    auto r = decode_availability(v);
                    if (r) {
                        EXPECT_EQ(r->last_error.has_value(), r->last_error_at_ms.has_value());
                        if (r->progress && r->progress->total_bytes) {
                            EXPECT_LE(r->progress->completed_bytes, *r->progress->total_bytes);
                        }
                    }
                    return r.has_value();
                } },
            { "share", share_document(3),
                [](std::string const& v) {
                    auto r = decode_share_summary(v);
                    if (r) {
                        EXPECT_LE(r->grants.size(), ShareSummary::max_grants);
                    }
                    return r.has_value();
                } },
            { "history", history_document(),
                [](std::string const& v) {
                    auto r = decode_history_summary(v);
                    if (r)
                        check_history(*r);
                    return r.has_value();
                } },
            { "record index v1", v1,
                [](std::string const& v) {
                    auto r = decode_record_index_v1(v);
                    if (r) {
                        EXPECT_LE(r->records.size(), max_record_index_v1_records);
                        check_paths(r->records);
                        for (std::size_t i = 1; i < r->records.size(); ++i)
                            EXPECT_LT(r->records[i - 1].record_id, r->records[i].record_id);
                    }
                    return r.has_value();
                } },
            { "record index v3 head", head,
                [](std::string const& v) {
                    auto r = decode_record_index_v3_head(v);
                    if (r) {
                        EXPECT_EQ(r->revision.size(), 64U);
                        EXPECT_EQ(r->page_entries, record_index_page_entries);
                    }
                    return r.has_value();
                } },
            { "record index v2 page", v2_page,
                [](std::string const& v) {
                    auto r = decode_record_index_v2_page(v);
                    return r && check_paths(r->records);
                } },
            { "record index v3 page", v3_page,
                [](std::string const& v) {
                    auto r = decode_record_index_v3_page(v);
                    return r && check_paths(r->records);
                } },
        };
    }

    TEST(DecoderRobustness, MutatedDocumentsNeverBreakTheRules)
    {
        constexpr int rounds = 3000;
        for (auto const& target : targets()) {
            SCOPED_TRACE(target.name);
            Mutator mutator(20261211);
            ASSERT_TRUE(target.decode_and_check(target.seed.dump())) << "the seed itself must decode";
            int accepted = 0;
            for (int round = 0; round < rounds && !HasFailure(); ++round)
                accepted += target.decode_and_check(mutator.mutate(target.seed)) ? 1 : 0;
            // Mutants that still decode are what the rule checks above inspect.
            EXPECT_GT(accepted, 0);
        }
    }

    TEST(DecoderRobustness, OversizeValuesAreRejectedWithoutParsing)
    {
        // One mebibyte of an otherwise well-formed document: the bound alone
        // decides, so these return as fast as an empty value would.
        std::string const huge = availability_document().dump() + std::string(1 << 20, ' ');
        EXPECT_FALSE(decode_file_metadata(huge).has_value());
        EXPECT_FALSE(decode_availability(huge).has_value());
        EXPECT_FALSE(decode_share_summary(huge).has_value());
        EXPECT_FALSE(decode_history_summary(huge).has_value());
        EXPECT_FALSE(decode_record_index_v1(huge).has_value());
        EXPECT_FALSE(decode_record_index_v2_head(huge).has_value());
        EXPECT_FALSE(decode_record_index_v3_head(huge).has_value());
        EXPECT_FALSE(decode_record_index_v2_page(huge).has_value());
        EXPECT_FALSE(decode_record_index_v3_page(huge).has_value());
        EXPECT_FALSE(decode_sync_state(std::string(1 << 20, ' ') + "local").has_value());
    }

}
}
