#include "favorites/path_text.h"

#include <gtest/gtest.h>

namespace {

using namespace files::favorites;

TEST(LossyUtf8, ReplacesEachMaximalIllFormedPart)
{
    struct Case {
        char const* name;
        std::string bytes;
        std::string text;
    };
    Case const cases[] = {
        { "ascii", "plain", "plain" },
        { "valid multibyte", "caf\xC3\xA9 \xF0\x9F\x93\x81", "caf\xC3\xA9 \xF0\x9F\x93\x81" },
        { "lone continuation", "a\x80z", "a\xEF\xBF\xBDz" },
        { "latin-1 byte", "caf\xE9", "caf\xEF\xBF\xBD" },
        { "truncated three-byte", "\xE2\x82z", "\xEF\xBF\xBDz" },
        { "overlong", "\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD" },
        { "surrogate", "\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD" },
        { "above U+10FFFF", "\xF4\x90\x80\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD" },
        { "truncated at end", "ok\xF0\x9F\x93", "ok\xEF\xBF\xBD" },
    };
    for (auto const& row : cases) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(lossy_utf8(row.bytes), row.text);
    }
}

TEST(PathComparison, LooksAtComponents)
{
    EXPECT_TRUE(same_path("/a/b", "/a/b/"));
    EXPECT_TRUE(same_path("/a//b", "/a/./b"));
    EXPECT_FALSE(same_path("/a/b", "/a/b/c"));
    EXPECT_FALSE(same_path("/a/b", "a/b"));
    EXPECT_TRUE(is_within("/a/b/c", "/a/b/"));
    EXPECT_TRUE(is_within("/a/b", "/a/b"));
    EXPECT_TRUE(is_within("/anything", "/"));
    EXPECT_FALSE(is_within("/a/bc", "/a/b"));
    EXPECT_FALSE(is_within("/a", "/a/b"));
}

TEST(LastName, SkipsTrailingSeparatorsAndHasNoneForRoot)
{
    EXPECT_EQ(last_name("/srv/a/"), std::filesystem::path("a"));
    EXPECT_EQ(last_name("/srv/a/."), std::filesystem::path("a"));
    EXPECT_EQ(last_name("/"), std::nullopt);
    EXPECT_EQ(last_name("/srv/.."), std::nullopt);
    EXPECT_EQ(last_name(""), std::nullopt);
}

TEST(TrimWhiteSpace, RemovesUnicodeSpaceAtBothEnds)
{
    EXPECT_EQ(trim_white_space(" \t/a b\r "), "/a b");
    EXPECT_EQ(trim_white_space("\xC2\xA0/x\xE3\x80\x80"), "/x");
    EXPECT_EQ(trim_white_space(" \t "), "");
}

}
