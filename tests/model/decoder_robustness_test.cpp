// Long randomised runs of every attribute decoder and the JSON reader under
// them, over mutated documents: no crash, no sanitizer report, bounded time
// per input, and whatever is accepted still obeys the record's rules. The
// reader's verdict on each mutant is also checked against an independent
// parser. A fixed seed keeps failures reproducible; FILES_FUZZ_SEED and
// FILES_FUZZ_ROUNDS choose others.

#include "model/record_index.h"
#include "model/workspace_decoders.h"
#include "services/collab/json_reader.h"
#include "workspace_fixtures.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <random>

#include <gtest/gtest.h>
#include <time.h>

namespace files::model {
namespace {

    using namespace testing;

    // The calling thread's processor time: unlike the wall clock, it does not
    // grow while a loaded machine runs other work.
    std::chrono::nanoseconds thread_time()
    {
        timespec now {};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
    }

    std::uint32_t fuzz_seed()
    {
        char const* text = std::getenv("FILES_FUZZ_SEED");
        return text ? static_cast<std::uint32_t>(std::strtoul(text, nullptr, 10)) : 20261211U;
    }

    int fuzz_rounds()
    {
        char const* text = std::getenv("FILES_FUZZ_ROUNDS");
        return text ? std::atoi(text) : 2500;
    }

    // A short printable form of a mutant for failure messages.
    std::string printable(std::string const& text)
    {
        std::string out;
        for (unsigned char c : text.substr(0, 600)) {
            if (c >= 0x20 && c < 0x7F) {
                out.push_back(static_cast<char>(c));
            } else {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
                out += escaped;
            }
        }
        return text.size() > 600 ? out + "..." : out;
    }

    // Stands for raw text in a document that nlohmann would escape: the
    // placeholder string is dumped and then replaced by the raw bytes.
    std::string const raw_marker = "\"@@raw@@\"";

    class Mutator {
    public:
        enum class Kind : std::uint8_t { Leaf, Flip, Truncate, TwoLeaves, Splice, Nesting, Number, Text, Duplicate };
        static constexpr std::size_t kinds = 9;

        struct Mutant {
            std::string text;
            Kind kind;
        };

        Mutator(std::uint32_t seed, std::vector<std::string> corpus)
            : m_random(seed)
            , m_corpus(std::move(corpus))
        {
        }

        Mutant mutate(Json const& document)
        {
            auto const kind = static_cast<Kind>(pick(kinds));
            switch (kind) {
            case Kind::Leaf:
                return { replace_leaf(document).dump(), kind };
            case Kind::Flip:
                return { flip_bytes(document.dump()), kind };
            case Kind::Truncate:
                return { truncate(document.dump()), kind };
            case Kind::TwoLeaves:
                return { replace_leaf(replace_leaf(document)).dump(), kind };
            case Kind::Splice:
                return { splice(document.dump()), kind };
            case Kind::Nesting:
                return { with_raw(document, nesting()), kind };
            case Kind::Number:
                return { with_raw(document, odd_number()), kind };
            case Kind::Text:
                return { with_raw(document, odd_string()), kind };
            case Kind::Duplicate:
                return { with_duplicate(document), kind };
            }
            return { document.dump(), kind };
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

        // One leaf's pointer, chosen at random.
        std::optional<Json::json_pointer> random_leaf(Json const& document)
        {
            Json const flat = document.flatten();
            if (flat.empty())
                return std::nullopt;
            auto it = flat.begin();
            std::advance(it, static_cast<std::ptrdiff_t>(pick(flat.size())));
            return Json::json_pointer(it.key());
        }

        // Replaces (or, one time in five, removes) one leaf of the document.
        Json replace_leaf(Json const& document)
        {
            auto where = random_leaf(document);
            if (!where)
                return document;
            Json changed = document;
            if (pick(5) == 0 && !where->empty()) {
                auto& parent = changed.at(where->parent_pointer());
                if (parent.is_object())
                    parent.erase(where->back());
                else if (parent.is_array())
                    parent.erase(std::stoul(where->back()));
            } else {
                changed[*where] = random_value();
            }
            return changed;
        }

        // The document with one leaf replaced by raw text.
        std::string with_raw(Json const& document, std::string const& raw)
        {
            Json changed = document;
            if (auto where = random_leaf(document))
                changed[*where] = "@@raw@@";
            std::string text = changed.dump();
            if (auto at = text.find(raw_marker); at != std::string::npos)
                text.replace(at, raw_marker.size(), raw);
            return text;
        }

        std::string nesting()
        {
            std::size_t const depth = 100 + pick(60);
            bool const objects = pick(2) == 0;
            std::string text;
            for (std::size_t i = 0; i < depth; ++i)
                text += objects ? "{\"k\":" : "[";
            text += "1";
            // One time in four the nesting is left open.
            if (pick(4) != 0) {
                for (std::size_t i = 0; i < depth; ++i)
                    text += objects ? "}" : "]";
            }
            return text;
        }

        std::string odd_number()
        {
            static char const* const numbers[] = { "18446744073709551615", "18446744073709551616",
                "99999999999999999999999999999", "-0", "-1", "1.0", "1e2", "1E400", "-1e-400", "0.0e0", "01", "-", "1.",
                ".5", "4294967296", "65536", "256", "1e", "+1", "0x10", "Infinity", "NaN" };
            return numbers[pick(std::size(numbers))];
        }

        std::string odd_string()
        {
            static char const* const pieces[] = { "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xF5", "\xFF",
                "\xE2\x82", "\x80", "\xC3\xA9", "\xF0\x9F\x98\x80", "\\uD800", "\\uDC00", "\\uD83D\\uDE00", "\\u00e9",
                "\\u0000", "\\x41", "\\", "\t", "\x01", "\\/" };
            std::string text = "\"";
            text += version_a.substr(0, pick(version_a.size() + 1));
            text += pieces[pick(std::size(pieces))];
            text += "\"";
            return text;
        }

        std::string flip_bytes(std::string text)
        {
            for (std::size_t n = 1 + pick(4); n > 0 && !text.empty(); --n)
                text[pick(text.size())] = static_cast<char>(pick(256));
            return text;
        }

        std::string truncate(std::string text) { return text.substr(0, pick(text.size() + 1)); }

        // A piece of another valid document put somewhere into this one.
        std::string splice(std::string text)
        {
            std::string const& donor = m_corpus[pick(m_corpus.size())];
            std::size_t const from = pick(donor.size());
            std::string const piece = donor.substr(from, 1 + pick(std::min<std::size_t>(80, donor.size() - from)));
            std::size_t const at = pick(text.size() + 1);
            std::size_t const replaced = pick(2) == 0 ? 0 : pick(std::min<std::size_t>(40, text.size() - at) + 1);
            return text.replace(at, replaced, piece);
        }

        // The document written out with one member of one object repeated,
        // the second time with another value one time in two.
        std::string with_duplicate(Json const& document)
        {
            std::size_t objects = 0;
            count_objects(document, objects);
            m_duplicate_target = objects == 0 ? 0 : pick(objects);
            m_object_counter = 0;
            std::string out;
            write(document, out);
            return out;
        }

        static void count_objects(Json const& value, std::size_t& count)
        {
            if (value.is_object() && !value.empty())
                ++count;
            if (value.is_structured()) {
                for (auto const& item : value)
                    count_objects(item, count);
            }
        }

        void write(Json const& value, std::string& out)
        {
            if (!value.is_object()) {
                if (!value.is_array()) {
                    out += value.dump();
                    return;
                }
                out += "[";
                for (std::size_t i = 0; i < value.size(); ++i) {
                    out += i ? "," : "";
                    write(value[i], out);
                }
                out += "]";
                return;
            }
            bool const target = !value.empty() && m_object_counter++ == m_duplicate_target;
            std::size_t const repeated = target ? pick(value.size()) : value.size();
            out += "{";
            std::size_t index = 0;
            for (auto const& [key, member] : value.items()) {
                out += index ? "," : "";
                out += Json(key).dump() + ":";
                write(member, out);
                if (index == repeated) {
                    out += "," + Json(key).dump() + ":";
                    write(pick(2) == 0 ? member : random_value(), out);
                }
                ++index;
            }
            out += "}";
        }

        std::mt19937 m_random;
        std::vector<std::string> m_corpus;
        std::size_t m_duplicate_target { 0 };
        std::size_t m_object_counter { 0 };
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

    template<typename Record> bool accepted(std::optional<Record> const& record) { return record.has_value(); }

    std::vector<Target> targets()
    {
        Json const records = { { { "record_id", version_a }, { "path", "/a" }, { "is_dir", false } },
            { { "record_id", version_b }, { "path", "/b/c" }, { "is_dir", true } } };
        Json const v1 = { { "schema_version", 1 }, { "truncated", false }, { "records", records } };
        Json const v2_head = { { "schema_version", 2 }, { "revision", std::string(64, 'c') }, { "records", 40 },
            { "page_entries", 32 } };
        Json const v3_head = { { "schema_version", 3 }, { "revision", std::string(64, 'b') },
            { "initial_cursor", version_a }, { "page_entries", 32 } };
        Json const v2_page = { { "schema_version", 2 }, { "revision", std::string(64, 'b') }, { "offset", 0 },
            { "next_offset", 32 }, { "records", records } };
        Json const v3_page = { { "schema_version", 3 }, { "revision", std::string(64, 'b') },
            { "next_cursor", version_b }, { "records", records } };
        Json history = history_document();
        history["versions"][1]["provenance"] = { { "Restore", { { "from", version_b } } } };
        return {
            { "metadata", metadata_document(),
                [](std::string const& v) {
                    auto r = decode_file_metadata(v);
                    if (r) {
                        EXPECT_FALSE(r->record_id.is_nil());
                        EXPECT_TRUE(r->properties.validate());
                    }
                    return accepted(r);
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
                    return accepted(r);
                } },
            { "share", share_document(3),
                [](std::string const& v) {
                    auto r = decode_share_summary(v);
                    if (r) {
                        EXPECT_LE(r->grants.size(), ShareSummary::max_grants);
                    }
                    return accepted(r);
                } },
            { "history", history,
                [](std::string const& v) {
                    auto r = decode_history_summary(v);
                    if (r)
                        check_history(*r);
                    return accepted(r);
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
                    return accepted(r);
                } },
            { "record index v2 head", v2_head,
                [](std::string const& v) {
                    auto r = decode_record_index_v2_head(v);
                    if (r) {
                        EXPECT_EQ(r->revision.size(), 64U);
                        EXPECT_EQ(r->page_entries, record_index_page_entries);
                    }
                    return accepted(r);
                } },
            { "record index v3 head", v3_head,
                [](std::string const& v) {
                    auto r = decode_record_index_v3_head(v);
                    if (r) {
                        EXPECT_EQ(r->revision.size(), 64U);
                        EXPECT_EQ(r->page_entries, record_index_page_entries);
                    }
                    return accepted(r);
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

    std::size_t nesting_depth(Json const& value)
    {
        std::size_t deepest = 0;
        if (value.is_structured()) {
            for (auto const& item : value)
                deepest = std::max(deepest, nesting_depth(item));
            return deepest + 1;
        }
        return 0;
    }

    // The reader and nlohmann agree on whether the text is JSON, apart from
    // the limits each sets: the reader refuses nesting deeper than its limit,
    // nlohmann refuses numbers beyond a double's range and skips a leading
    // byte order mark.
    void expect_same_verdict_as_nlohmann(std::string const& text)
    {
        bool const ours = collab::json::is_well_formed(text);
        try {
            Json const parsed = Json::parse(text);
            if (!ours) {
                bool const explained
                    = nesting_depth(parsed) > collab::json::max_depth || text.starts_with("\xEF\xBB\xBF");
                EXPECT_TRUE(explained) << "the reader refused JSON that nlohmann accepts";
            }
        } catch (Json::out_of_range const& error) {
            EXPECT_EQ(error.id, 406) << error.what();
        } catch (Json::parse_error const& error) {
            EXPECT_FALSE(ours) << "the reader accepted what nlohmann refuses: " << error.what();
        }
    }

    TEST(DecoderRobustness, MutatedDocumentsNeverBreakTheRules)
    {
        auto const all = targets();
        std::vector<std::string> corpus;
        for (auto const& target : all)
            corpus.push_back(target.seed.dump());
        std::uint32_t const seed = fuzz_seed();
        int const rounds = fuzz_rounds();
        // Decoding is linear in the input (at most 64 KiB) and takes tens of
        // microseconds; a generous bound on processor time still catches
        // anything quadratic or stuck, also under sanitizers.
        auto const time_bound = std::chrono::milliseconds(100);
        for (auto const& target : all) {
            SCOPED_TRACE(std::string(target.name) + ", seed " + std::to_string(seed));
            Mutator mutator(seed, corpus);
            ASSERT_TRUE(target.decode_and_check(target.seed.dump())) << "the seed itself must decode";
            int accepted_count = 0;
            std::chrono::nanoseconds slowest {};
            for (int round = 0; round < rounds && !HasFailure(); ++round) {
                auto const mutant = mutator.mutate(target.seed);
                SCOPED_TRACE("round " + std::to_string(round) + ": " + printable(mutant.text));
                auto const start = thread_time();
                bool const decoded = target.decode_and_check(mutant.text);
                slowest = std::max(slowest, thread_time() - start);
                accepted_count += decoded ? 1 : 0;
                if (mutant.kind == Mutator::Kind::Duplicate) {
                    EXPECT_FALSE(decoded) << "a repeated field must reject the record";
                }
                expect_same_verdict_as_nlohmann(mutant.text);
            }
            if (HasFailure())
                return;
            // Mutants that still decode are what the rule checks above inspect.
            EXPECT_GT(accepted_count, 0);
            EXPECT_LT(slowest, time_bound);
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
