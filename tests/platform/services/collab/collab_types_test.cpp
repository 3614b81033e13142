#include "services/collab/collab_json.h"
#include "services/collab/collab_types.h"
#include "services/collab/uuid.h"

#include <functional>
#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

namespace collab {
namespace {

    Uuid id(std::uint8_t tag)
    {
        Uuid value;
        value.bytes.fill(tag);
        return value;
    }

    TEST(Uuid, ParsesTheHyphenatedFormOnly)
    {
        struct Case {
            char const* text;
            bool parses;
        };
        Case const cases[] = {
            { "8d1e7a52-3c4b-4e0f-9a61-2b7c5d8e9f10", true },
            { "8D1E7A52-3C4B-4E0F-9A61-2B7C5D8E9F10", true },
            { "{8d1e7a52-3c4b-4e0f-9a61-2b7c5d8e9f10}", false },
            { "8d1e7a523c4b4e0f9a612b7c5d8e9f10", false },
            { "8d1e7a52-3c4b-4e0f-9a61-2b7c5d8e9f1", false },
            { "8d1e7a52-3c4b-4e0f-9a61-2b7c5d8e9f1g", false },
            { "8d1e7a52+3c4b-4e0f-9a61-2b7c5d8e9f10", false },
        };
        for (auto const& test_case : cases) {
            SCOPED_TRACE(test_case.text);
            auto parsed = Uuid::parse(test_case.text);
            ASSERT_EQ(parsed.has_value(), test_case.parses);
            if (parsed) {
                EXPECT_EQ(parsed->to_text(), "8d1e7a52-3c4b-4e0f-9a61-2b7c5d8e9f10");
            }
        }
        EXPECT_TRUE(Uuid {}.is_nil());
        EXPECT_FALSE(id(1).is_nil());
    }

    TEST(FilePropertiesV1, Validate)
    {
        auto valid = [] {
            FilePropertiesV1 p;
            p.image_width = 640;
            p.image_height = 480;
            p.page_count = 3;
            p.codec = "h264";
            return p;
        };
        struct Case {
            char const* label;
            FilePropertiesV1 properties;
            bool valid;
        };
        std::vector<Case> cases = { { "valid", valid(), true }, { "all absent", FilePropertiesV1 {}, true } };
        cases.push_back({ "schema 2", valid(), false });
        cases.back().properties.schema_version = 2;
        cases.push_back({ "width alone", valid(), false });
        cases.back().properties.image_height.reset();
        cases.push_back({ "zero width", valid(), false });
        cases.back().properties.image_width = 0;
        cases.push_back({ "zero pages", valid(), false });
        cases.back().properties.page_count = 0;
        cases.push_back({ "empty codec", valid(), false });
        cases.back().properties.codec = "";
        cases.push_back({ "64-byte container", valid(), true });
        cases.back().properties.container = std::string(64, 'm');
        cases.push_back({ "65-byte container", valid(), false });
        cases.back().properties.container = std::string(65, 'm');
        cases.push_back({ "control character in codec", valid(), false });
        cases.back().properties.codec = "h26\n4";
        for (auto const& test_case : cases) {
            SCOPED_TRACE(test_case.label);
            EXPECT_EQ(test_case.properties.validate(), test_case.valid);
        }
    }

    TEST(FileVersionV1, Validate)
    {
        auto valid = [] {
            FileVersionV1 v;
            v.id = id(1);
            v.record_id = id(9);
            v.parents = { id(2), id(3) };
            v.provenance = "\"Edit\"";
            return v;
        };
        struct Case {
            char const* label;
            std::function<void(FileVersionV1&)> change;
            bool valid;
        };
        Case const cases[] = {
            { "valid", [](FileVersionV1&) {}, true },
            { "restore", [](FileVersionV1& v) { v.provenance = R"({"Restore":{"from":"x"}})"; }, true },
            { "restore without from", [](FileVersionV1& v) { v.provenance = R"({"Restore":{}})"; }, false },
            { "unknown kind", [](FileVersionV1& v) { v.provenance = "\"Copy\""; }, false },
            { "own parent", [](FileVersionV1& v) { v.parents.push_back(v.id); }, false },
            { "repeated parent", [](FileVersionV1& v) { v.parents.push_back(id(2)); }, false },
            { "nine parents",
                [](FileVersionV1& v) {
                    v.parents.clear();
                    for (std::uint8_t i = 10; i < 19; ++i)
                        v.parents.push_back(id(i));
                },
                false },
            { "nil id", [](FileVersionV1& v) { v.id = Uuid {}; }, false },
        };
        for (auto const& test_case : cases) {
            SCOPED_TRACE(test_case.label);
            auto version = valid();
            test_case.change(version);
            EXPECT_EQ(version.validate(), test_case.valid);
        }
    }

    TEST(FileConflictV1, ValidateAndDecode)
    {
        using nlohmann::json;
        json const resolution = { { "strategy", "KeepBoth" }, { "result", nullptr },
            { "actor", { { "person", json(std::vector<int>(32, 1)) }, { "device", json(std::vector<int>(32, 2)) } } },
            { "timestamp_ms", 5 } };
        json const open = { { "id", id(1).to_text() }, { "record_id", id(9).to_text() },
            { "versions", { id(2).to_text(), id(3).to_text() } }, { "status", "Open" } };
        json resolved = open;
        resolved["status"] = "Resolved";
        resolved["resolution"] = resolution;
        json open_with_resolution = open;
        open_with_resolution["resolution"] = resolution;
        json repeated = open;
        repeated["versions"] = { id(2).to_text(), id(2).to_text() };
        json bad_strategy = resolved;
        bad_strategy["resolution"]["strategy"] = "Toss";

        struct Case {
            char const* label;
            json const& document;
            bool accepted;
        };
        Case const cases[] = {
            { "open", open, true },
            { "resolved", resolved, true },
            { "open with a resolution", open_with_resolution, false },
            { "repeated version", repeated, false },
            { "unknown strategy", bad_strategy, false },
        };
        for (auto const& test_case : cases) {
            SCOPED_TRACE(test_case.label);
            EXPECT_EQ(decode_file_conflict(test_case.document.dump()).has_value(), test_case.accepted);
        }
        auto decoded = decode_file_conflict(resolved.dump());
        ASSERT_TRUE(decoded.has_value());
        ASSERT_TRUE(decoded->resolution.has_value());
        EXPECT_EQ(decoded->resolution->strategy, ConflictStrategy::KeepBoth);
        EXPECT_EQ(decoded->resolution->timestamp_ms, 5U);
    }

}
}
