#include "model/attribute_names.h"
#include "model/index_generation.h"
#include "model/record_index.h"
#include "xattr_support.h"

#include <cstdio>
#include <nlohmann/json.hpp>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace files::model {
namespace {

    using namespace testing;
    using Json = nlohmann::json;
    using test_support::TempDir;

    std::string const revision(64, 'a');

    std::string id_text(int n)
    {
        char id[37];
        std::snprintf(id, sizeof id, "00000000-0000-4000-8000-%012d", n);
        return id;
    }

    Json index_entry(int n, std::string path, bool is_dir = false)
    {
        return { { "record_id", id_text(n) }, { "path", std::move(path) }, { "is_dir", is_dir } };
    }

    Json v1_document(Json records)
    {
        return { { "schema_version", 1 }, { "truncated", false }, { "records", records } };
    }

    Json v2_head(std::string rev = revision, int page_entries = 32)
    {
        return { { "schema_version", 2 }, { "revision", rev }, { "records", 40 }, { "page_entries", page_entries } };
    }

    Json v3_head(std::string cursor = id_text(1), std::string rev = revision)
    {
        return { { "schema_version", 3 }, { "revision", rev }, { "initial_cursor", cursor }, { "page_entries", 32 } };
    }

    TEST(RecordPath, ResolvesOrdinaryComponentsBelowTheRoot)
    {
        struct Case {
            char const* path;
            char const* resolved; // null: not resolvable
        };
        Case const cases[] = {
            { "/a", "/root/a" },
            { "/a/b c/d.txt", "/root/a/b c/d.txt" },
            { "a/b", nullptr },
            { "/", nullptr },
            { "", nullptr },
            { "/a/../b", nullptr },
            { "/..", nullptr },
            { "/./a", nullptr },
            { "/a//b", nullptr },
            { "/a/", nullptr },
        };
        for (auto const& test_case : cases) {
            SCOPED_TRACE(test_case.path);
            auto resolved = resolve_record_path("/root", test_case.path);
            if (test_case.resolved) {
                ASSERT_TRUE(resolved.has_value());
                EXPECT_EQ(resolved->native(), test_case.resolved);
            } else {
                EXPECT_FALSE(resolved.has_value());
            }
        }
    }

    TEST(DecodeRecordIndexV1, RejectsTheWholeIndexForOneBadRecord)
    {
        Json many = Json::array();
        for (int i = 1; i <= 257; ++i)
            many.push_back(index_entry(i, "/f" + std::to_string(i)));
        Json exactly_256 = many;
        exactly_256.erase(exactly_256.size() - 1);
        struct Case {
            char const* label;
            std::string value;
            bool accepted;
        };
        Case const cases[] = {
            { "ascending ids", v1_document({ index_entry(1, "/a"), index_entry(2, "/b/c", true) }).dump(), true },
            { "empty", v1_document(Json::array()).dump(), true },
            { "256 records", v1_document(exactly_256).dump(), true },
            { "257 records", v1_document(many).dump(), false },
            { "second id before the first", v1_document({ index_entry(2, "/a"), index_entry(1, "/b") }).dump(), false },
            { "repeated id", v1_document({ index_entry(1, "/a"), index_entry(1, "/b") }).dump(), false },
            { "path without a leading slash", v1_document({ index_entry(1, "a/b") }).dump(), false },
            { "path with ..", v1_document({ index_entry(1, "/a/../../etc") }).dump(), false },
            { "schema 2",
                Json({ { "schema_version", 2 }, { "truncated", false }, { "records", Json::array() } }).dump(), false },
            { "is_dir not a bool",
                v1_document({ { { "record_id", id_text(1) }, { "path", "/a" }, { "is_dir", 1 } } }).dump(), false },
        };
        for (auto const& test_case : cases) {
            SCOPED_TRACE(test_case.label);
            EXPECT_EQ(decode_record_index_v1(test_case.value).has_value(), test_case.accepted);
        }
        auto index = decode_record_index_v1(v1_document({ index_entry(1, "/a"), index_entry(2, "/b/c", true) }).dump());
        ASSERT_TRUE(index.has_value());
        ASSERT_EQ(index->records.size(), 2U);
        EXPECT_EQ(index->records[1].path, "/b/c");
        EXPECT_TRUE(index->records[1].is_dir);
    }

    TEST(DecodeRecordIndexHeads, CheckRevisionCursorAndPageSize)
    {
        struct Case {
            char const* label;
            std::string value;
            bool v2;
            bool accepted;
        };
        Case const cases[] = {
            { "v2", v2_head().dump(), true, true },
            { "v2 upper-case revision", v2_head(std::string(64, 'F')).dump(), true, true },
            { "v2 revision of 63 digits", v2_head(std::string(63, 'a')).dump(), true, false },
            { "v2 revision not hexadecimal", v2_head(std::string(63, 'a') + "g").dump(), true, false },
            { "v2 page of 31 entries", v2_head(revision, 31).dump(), true, false },
            { "v2 over 49152 bytes", v2_head().dump() + std::string(49152, ' '), true, false },
            { "v3", v3_head().dump(), false, true },
            { "v3 cursor not a uuid", v3_head("cursor-1").dump(), false, false },
            { "v3 short revision", v3_head(id_text(1), "abc").dump(), false, false },
            { "v3 document read as v2", v3_head().dump(), true, false },
        };
        for (auto const& test_case : cases) {
            SCOPED_TRACE(test_case.label);
            bool const decoded = test_case.v2 ? decode_record_index_v2_head(test_case.value).has_value()
                                              : decode_record_index_v3_head(test_case.value).has_value();
            EXPECT_EQ(decoded, test_case.accepted);
        }
    }

    TEST(RecordIndexOnARoot, SelectsTheNewestUsableVersionAndReadsPages)
    {
        TempDir dir;
        auto const v3_root = dir.make_folder("v3");
        auto const bad_v2_root = dir.make_folder("bad-v2");
        auto const v1_root = dir.make_folder("v1");
        auto const bad_v3_root = dir.make_folder("bad-v3");
        auto const v1 = v1_document({ index_entry(1, "/a") }).dump();

        set_attribute(v3_root, attribute::record_index_v3, v3_head().dump());
        set_attribute(v3_root, attribute::record_index_v2, "garbage");
        set_attribute(v3_root, attribute::record_index_v1, v1);
        set_attribute(bad_v2_root, attribute::record_index_v2, "garbage");
        set_attribute(bad_v2_root, attribute::record_index_v1, v1);
        set_attribute(v1_root, attribute::record_index_v1, v1);
        set_attribute(bad_v3_root, attribute::record_index_v3, "garbage");
        set_attribute(bad_v3_root, attribute::record_index_v2, v2_head().dump());

        EXPECT_TRUE(std::holds_alternative<RecordIndexV3Head>(select_record_index(v3_root)));
        EXPECT_TRUE(std::holds_alternative<std::monostate>(select_record_index(bad_v2_root)))
            << "an unusable v2 head must not fall back to v1";
        EXPECT_TRUE(std::holds_alternative<RecordIndexV1>(select_record_index(v1_root)));
        EXPECT_TRUE(std::holds_alternative<RecordIndexV2Head>(select_record_index(bad_v3_root)));
        EXPECT_TRUE(std::holds_alternative<std::monostate>(select_record_index(dir.make_folder("none"))));

        Json const v2_page = { { "schema_version", 2 }, { "revision", revision }, { "offset", 32 },
            { "next_offset", nullptr }, { "records", { index_entry(5, "/x") } } };
        set_attribute(v1_root, record_index_v2_page_name(revision, 32).c_str(), v2_page.dump());
        EXPECT_EQ(record_index_v2_page_name(revision, 32), "user.kesu.record-index.v2." + revision + ".32");
        auto page = read_record_index_v2_page(v1_root, revision, 32);
        ASSERT_TRUE(page.has_value());
        EXPECT_EQ(page->offset, 32U);
        EXPECT_FALSE(page->next_offset.has_value());
        ASSERT_EQ(page->records.size(), 1U);
        EXPECT_FALSE(read_record_index_v2_page(v1_root, revision, 0).has_value());

        auto const cursor = *collab::Uuid::parse(id_text(1));
        Json const v3_page = { { "schema_version", 3 }, { "revision", revision }, { "next_cursor", id_text(2) },
            { "records", { index_entry(5, "/x") } } };
        set_attribute(v3_root, record_index_v3_page_name(revision, cursor).c_str(), v3_page.dump());
        auto page3 = read_record_index_v3_page(v3_root, revision, cursor);
        ASSERT_TRUE(page3.has_value());
        EXPECT_EQ(page3->next_cursor, collab::Uuid::parse(id_text(2)));
        EXPECT_FALSE(decode_record_index_v3_page(Json(v3_page).dump() + "x").has_value());
        EXPECT_FALSE(decode_record_index_v3_page(Json({ { "schema_version", 3 }, { "revision", revision },
                                                          { "next_cursor", "nope" }, { "records", Json::array() } })
                                                     .dump())
                         .has_value());
    }

    std::string sha256_with_coreutils(std::string const& bytes)
    {
        TempDir scratch;
        auto const input = scratch.write("input", bytes);
        std::string const command = "sha256sum " + input.native();
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe)
            return {};
        char digest[65] = {};
        std::size_t const read = fread(digest, 1, 64, pipe);
        pclose(pipe);
        return std::string(digest, read);
    }

    std::string big_endian_u64(std::uint64_t value)
    {
        std::string out(8, '\0');
        for (int i = 7; i >= 0; --i, value >>= 8)
            out[static_cast<std::size_t>(i)] = static_cast<char>(value & 0xFF);
        return out;
    }

    TEST(RootIndexGeneration, FollowsTheDigestLayout)
    {
        // The domain texts end in a backslash and a zero digit.
        std::string const prefix = "kesu.files.record-index-root-generation.v2\\0";
        std::string const missing = "/nonexistent/kesu-root";
        EXPECT_EQ(root_index_generation(missing),
            sha256_with_coreutils(prefix + big_endian_u64(missing.size()) + missing + "missing\\0"));
        EXPECT_EQ(root_index_generation(missing), "1349585456e8305e585703fe7d66a3d15001cf4137db91c37a54c67c0ce45f77");

        TempDir dir;
        auto const root = dir.make_folder("root").native();
        std::string const head = v3_head().dump();
        set_attribute(root, attribute::record_index_v3, head);
        EXPECT_EQ(root_index_generation(root),
            sha256_with_coreutils(
                prefix + big_endian_u64(root.size()) + root + "opaque-v3\\0" + big_endian_u64(head.size()) + head));
    }

    void set_modified(std::string const& path, std::int64_t seconds)
    {
        struct timespec const times[2] = { { seconds, 0 }, { seconds, 0 } };
        ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    }

    TEST(RootIndexGeneration, ChangesExactlyWithWhatItCovers)
    {
        TempDir dir;
        auto const plain = dir.make_folder("plain").native();
        auto const opaque = dir.make_folder("opaque").native();
        set_attribute(opaque, attribute::record_index_v3, v3_head().dump());
        set_modified(plain, 1000);
        set_modified(opaque, 1000);

        auto const plain_before = root_index_generation(plain);
        auto const opaque_before = root_index_generation(opaque);
        EXPECT_EQ(plain_before.size(), 64U);
        EXPECT_EQ(root_index_generation(plain), plain_before) << "stable while nothing changes";

        set_modified(plain, 2000);
        EXPECT_NE(root_index_generation(plain), plain_before) << "touching a root without v3 changes it";
        auto const touched = root_index_generation(plain);
        set_attribute(plain, attribute::record_index_v1, v1_document(Json::array()).dump());
        set_modified(plain, 2000);
        EXPECT_NE(root_index_generation(plain), touched) << "a new v1 index changes it";

        set_modified(opaque, 2000);
        set_attribute(opaque, attribute::record_index_v2, v2_head().dump());
        set_attribute(opaque, attribute::record_index_v1, v1_document(Json::array()).dump());
        EXPECT_EQ(root_index_generation(opaque), opaque_before) << "with v3 only the v3 head counts";
        set_attribute(opaque, attribute::record_index_v3, v3_head(id_text(9)).dump());
        EXPECT_NE(root_index_generation(opaque), opaque_before);
    }

    TEST(RecordIndexWatcher, ExaminesAtMostEightRootsPerPassRoundRobin)
    {
        TempDir dir;
        std::vector<std::filesystem::path> roots;
        // Handed in unsorted; the watcher orders them by path.
        for (int i = 9; i >= 0; --i) {
            roots.push_back(dir.make_folder("r" + std::to_string(i)));
            set_modified(roots.back(), 1000);
        }
        RecordIndexWatcher watcher;
        EXPECT_FALSE(watcher.poll({}));
        EXPECT_EQ(watcher.status(), "");

        EXPECT_FALSE(watcher.poll(roots)); // r0..r7, first sight
        EXPECT_EQ(watcher.status(), "watching");
        EXPECT_EQ(watcher.cursor(), 8U);
        EXPECT_FALSE(watcher.poll(roots)); // r8, r9, r0..r5
        EXPECT_EQ(watcher.cursor(), 16U);

        set_modified(dir / "r5", 2000);
        EXPECT_FALSE(watcher.poll(roots)) << "r6..r9, r0..r3 do not include r5";
        EXPECT_EQ(watcher.cursor(), 24U);
        EXPECT_TRUE(watcher.poll(roots)) << "r4, r5, ... see the change";
        EXPECT_EQ(watcher.cursor(), 0U);
        EXPECT_FALSE(watcher.poll(roots)) << "the new generation is stored";
    }

}
}
