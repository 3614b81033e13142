#include "services/collab/json_fields.h"
#include "services/collab/json_reader.h"

#include <string>

#include <gtest/gtest.h>

namespace collab::json {
namespace {

    TEST(JsonReader, AcceptsExactlyOneWellFormedValue)
    {
        struct Case {
            char const* label;
            std::string text;
            bool well_formed;
        };
        std::string const deepest = std::string(max_depth, '[') + std::string(max_depth, ']');
        Case const cases[] = {
            { "object with whitespace", " {\"a\" : [1, -0, 2.5e-3, true, null, \"x\"]}\r\n\t", true },
            { "scalar", "17", true },
            { "nothing", "", false },
            { "only whitespace", "  ", false },
            { "two values", "{} {}", false },
            { "trailing comma", "[1,]", false },
            { "missing comma", "[1 2]", false },
            { "unquoted key", "{a:1}", false },
            { "single quotes", "['a']", false },
            { "leading zero", "01", false },
            { "plus sign", "+1", false },
            { "bare fraction", ".5", false },
            { "fraction without digits", "1.", false },
            { "exponent without digits", "1e", false },
            { "literal prefix", "tru", false },
            { "raw control character", "\"a\tb\"", false },
            { "escaped control character", "\"a\\tb\\u0000\"", true },
            { "unknown escape", "\"\\x41\"", false },
            { "surrogate pair", "\"\\uD83D\\uDE00\"", true },
            { "lone high surrogate", "\"\\uD83D\"", false },
            { "lone low surrogate", "\"\\uDE00\"", false },
            { "four-byte UTF-8", "\"\xF0\x9F\x98\x80\"", true },
            { "overlong slash", "\"\xC0\xAF\"", false },
            { "encoded surrogate", "\"\xED\xA0\x80\"", false },
            { "above U+10FFFF", "\"\xF4\x90\x80\x80\"", false },
            { "cut sequence", "\"\xE2\x82\"", false },
            { "byte order mark", "\xEF\xBB\xBF{}", false },
            { "nesting at the limit", deepest, true },
            { "nesting one deeper", "[" + deepest + "]", false },
            { "unclosed", "{\"a\":[1", false },
        };
        for (auto const& test_case : cases) {
            SCOPED_TRACE(test_case.label);
            EXPECT_EQ(is_well_formed(test_case.text), test_case.well_formed);
        }
    }

    TEST(JsonReader, ReadsUnsignedIntegersOnly)
    {
        struct Case {
            char const* text;
            std::optional<std::uint64_t> value;
        };
        Case const cases[] = {
            { "0", 0 },
            { "-0", 0 },
            { "18446744073709551615", UINT64_MAX },
            { "18446744073709551616", std::nullopt },
            { "-1", std::nullopt },
            { "1.0", std::nullopt },
            { "1e2", std::nullopt },
            { "\"1\"", std::nullopt },
            { "null", std::nullopt },
        };
        for (auto const& test_case : cases) {
            SCOPED_TRACE(test_case.text);
            Reader reader(test_case.text);
            std::uint64_t value = 0;
            bool const read = reader.read_u64(value) && reader.finish();
            ASSERT_EQ(read, test_case.value.has_value());
            if (read) {
                EXPECT_EQ(value, *test_case.value);
            }
        }
        Reader narrow("[255, 256]");
        std::uint8_t byte = 0;
        ASSERT_TRUE(narrow.begin_array() && narrow.next_element());
        EXPECT_TRUE(narrow.read_unsigned(byte));
        EXPECT_EQ(byte, 255);
        ASSERT_TRUE(narrow.next_element());
        EXPECT_FALSE(narrow.read_unsigned(byte));
        EXPECT_FALSE(narrow.ok()) << "a failure is sticky";
        EXPECT_FALSE(narrow.next_element());
    }

    TEST(JsonReader, MatchesDecodedKeysAndRefusesRepeatedFields)
    {
        static constexpr std::string_view names[] = { "schema_version", "name" };
        auto decode = [](std::string const& text) -> std::optional<std::string> {
            Reader reader(text);
            ObjectFields fields(reader, names);
            std::string name;
            while (auto field = fields.next()) {
                std::uint64_t ignored = 0;
                if (*field == 0 ? !reader.read_u64(ignored) : !read_string(reader, name))
                    return std::nullopt;
            }
            if (!fields.complete({ 0, 1 }) || !reader.finish())
                return std::nullopt;
            return name;
        };
        EXPECT_EQ(decode(R"({"schema_version":1,"name":"a\"b\u00e9"})"), "a\"b\xC3\xA9");
        EXPECT_EQ(decode(R"({"schema\u005fversion":1,"name":"x"})"), "x") << "keys are compared decoded";
        EXPECT_EQ(decode(R"({"extra":{"deep":[1,{"x":null}]},"name":"x","schema_version":1})"), "x")
            << "unknown members are skipped in any order";
        EXPECT_EQ(decode(R"({"schema_version":1})"), std::nullopt) << "a required field is missing";
        EXPECT_EQ(decode(R"({"schema_version":1,"name":"x","name":"y"})"), std::nullopt);
        EXPECT_EQ(decode(R"({"schema_version":1,"name":"x","extra":1,"extra":2})"), "x")
            << "only known fields must be unique";
        EXPECT_EQ(decode(R"({"schema_version":1,"name":"x","extra":[1,}})"), std::nullopt)
            << "a skipped member must still be well-formed";
    }

    TEST(JsonReader, FieldHelpers)
    {
        Reader reader(R"([[1,2,3], null, "8D1E7A52-3c4b-4e0f-9a61-2b7c5d8e9f10", {"a" : [ 1 , "b\n" ]}])");
        ASSERT_TRUE(reader.begin_array() && reader.next_element());
        std::array<std::uint8_t, 3> bytes {};
        EXPECT_TRUE(reader.read_byte_array(bytes));
        EXPECT_EQ(bytes, (std::array<std::uint8_t, 3> { 1, 2, 3 }));
        ASSERT_TRUE(reader.next_element());
        std::optional<Uuid> absent = Uuid {};
        EXPECT_TRUE(read_optional_uuid(reader, absent));
        EXPECT_FALSE(absent.has_value());
        ASSERT_TRUE(reader.next_element());
        Uuid id;
        EXPECT_TRUE(read_uuid(reader, id));
        EXPECT_EQ(id.to_text(), "8d1e7a52-3c4b-4e0f-9a61-2b7c5d8e9f10");
        ASSERT_TRUE(reader.next_element());
        std::string compact;
        EXPECT_TRUE(reader.copy_compact(compact));
        EXPECT_EQ(compact, R"({"a":[1,"b\n"]})");
        EXPECT_FALSE(reader.next_element());
        EXPECT_TRUE(reader.finish());

        struct Case {
            char const* text;
            bool is_digest;
        };
        std::string thirty_two = "[";
        for (int i = 0; i < 32; ++i)
            thirty_two += (i ? "," : "") + std::to_string(i * 8);
        thirty_two += "]";
        Case const digests[] = {
            { thirty_two.c_str(), true },
            { "[1,2]", false },
            { "[]", false },
        };
        for (auto const& test_case : digests) {
            SCOPED_TRACE(test_case.text);
            Reader digest_reader(test_case.text);
            Digest32 digest {};
            EXPECT_EQ(read_digest(digest_reader, digest) && digest_reader.finish(), test_case.is_digest);
        }
        auto byte_of = [](std::string const& element) -> std::optional<int> {
            std::string const text = "[" + element + "]";
            Reader one(text);
            std::array<std::uint8_t, 1> byte {};
            if (!one.read_byte_array(byte) || !one.finish())
                return std::nullopt;
            return byte[0];
        };
        EXPECT_EQ(byte_of("0"), 0);
        EXPECT_EQ(byte_of("-0"), 0);
        EXPECT_EQ(byte_of(" 255 "), 255);
        EXPECT_EQ(byte_of("256"), std::nullopt);
        EXPECT_EQ(byte_of("1000"), std::nullopt);
        EXPECT_EQ(byte_of("007"), std::nullopt);
        EXPECT_EQ(byte_of("1.0"), std::nullopt);
        EXPECT_EQ(byte_of("1e1"), std::nullopt);
        EXPECT_EQ(byte_of("-1"), std::nullopt);
    }

    TEST(JsonReader, AttemptSkipsAValueOfTheWrongType)
    {
        Reader reader(R"({"a":"text","b":7,"c":[1,)");
        std::string_view key;
        ASSERT_TRUE(reader.begin_object() && reader.next_member(key));
        std::uint64_t number = 0;
        EXPECT_FALSE(reader.attempt([&] { return reader.read_u64(number); }));
        EXPECT_TRUE(reader.ok()) << "a value of another type is skipped";
        ASSERT_TRUE(reader.next_member(key));
        EXPECT_TRUE(reader.attempt([&] { return reader.read_u64(number); }));
        EXPECT_EQ(number, 7U);
        ASSERT_TRUE(reader.next_member(key));
        EXPECT_FALSE(reader.attempt([&] { return reader.read_u64(number); }));
        EXPECT_FALSE(reader.ok()) << "a broken value still refuses the document";
    }

}
}
