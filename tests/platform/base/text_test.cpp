#include "base/hex.h"
#include "base/utf8.h"

#include <gtest/gtest.h>

TEST(Utf8, AppendEncodesEveryLengthAndReplacesWhatIsNoCharacter)
{
    struct Case {
        char32_t code_point;
        std::string bytes;
    };
    for (auto const& c : std::vector<Case> {
             { U'A', "A" }, { 0x7F, "\x7F" }, { 0x80, "\xC2\x80" }, { U'ü', "\xC3\xBC" }, { 0x7FF, "\xDF\xBF" },
             { 0x800, "\xE0\xA0\x80" }, { U'€', "\xE2\x82\xAC" }, { 0xFFFF, "\xEF\xBF\xBF" },
             { 0x10000, "\xF0\x90\x80\x80" }, { 0x10FFFF, "\xF4\x8F\xBF\xBF" },
             { 0xD800, "\xEF\xBF\xBD" }, // a surrogate
             { 0xDFFF, "\xEF\xBF\xBD" }, { 0x110000, "\xEF\xBF\xBD" }, // beyond Unicode
         }) {
        std::string out = "x";
        base::append_utf8(out, c.code_point);
        EXPECT_EQ(out, "x" + c.bytes) << static_cast<std::uint32_t>(c.code_point);
        EXPECT_FALSE(base::first_invalid_utf8(out)) << static_cast<std::uint32_t>(c.code_point);
    }
}

TEST(Hex, DigitsInEitherCaseAndNothingElse)
{
    std::uint8_t const bytes[] = { 0x00, 0x0f, 0xa0, 0xff };
    EXPECT_EQ(base::hex_text(bytes), "000fa0ff");
    EXPECT_EQ(base::hex_text({}), "");
    EXPECT_EQ(base::hex_value('0'), 0);
    EXPECT_EQ(base::hex_value('9'), 9);
    EXPECT_EQ(base::hex_value('a'), 10);
    EXPECT_EQ(base::hex_value('F'), 15);
    for (char c : std::string("gG/:@`\x00 x", 10))
        EXPECT_EQ(base::hex_value(c), -1) << int(c);
}
