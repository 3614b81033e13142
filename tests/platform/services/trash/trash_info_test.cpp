#include "services/trash/trash_info.h"

#include <gtest/gtest.h>

using namespace services::trash;

TEST(PercentEncoding, RawBytesRoundTrip)
{
    struct Case {
        std::string raw;
        std::string encoded;
    };
    Case const cases[] = {
        { "/home/a b.txt", "/home/a%20b.txt" },
        { "/100%", "/100%25" },
        { "/x#1", "/x%231" },
        { "/line\nbreak", "/line%0Abreak" },
        { "/caf\xC3\xA9", "/caf%C3%A9" },
        { "/raw\xFF", "/raw%FF" },
        { "/keep-_.~/", "/keep-_.~/" },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.encoded);
        EXPECT_EQ(percent_encode(c.raw), c.encoded);
        EXPECT_EQ(percent_decode(c.encoded), c.raw);
    }
}

TEST(PercentEncoding, DecodingAcceptsLowerCaseAndRejectsMalformedEscapes)
{
    EXPECT_EQ(percent_decode("/caf%c3%a9%ff"), "/caf\xC3\xA9\xFF");
    for (auto const* bad : { "/a%", "/a%2", "/a%G1", "/a%00b" }) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(percent_decode(bad), std::nullopt);
    }
}

TEST(TrashInfoFile, FormatsAndParsesTheRecord)
{
    TrashInfo info { "/home/u/a b\xFF", "2026-12-11T13:05:00" };
    auto text = format_trash_info(info);
    EXPECT_EQ(text, "[Trash Info]\nPath=/home/u/a%20b%FF\nDeletionDate=2026-12-11T13:05:00\n");
    auto parsed = parse_trash_info(text);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->path, info.path);
    EXPECT_EQ(parsed->deletion_date, info.deletion_date);

    auto with_comments
        = parse_trash_info("# note\n\n[Trash Info]\r\nDeletionDate=2020-01-01T00:00:00\r\nPath=rel/x\r\n");
    ASSERT_TRUE(with_comments);
    EXPECT_EQ(with_comments->path, "rel/x");
}

TEST(TrashInfoFile, RejectsBrokenRecords)
{
    struct Case {
        char const* text;
        char const* error;
    };
    Case const cases[] = {
        { "Path=/a\n", "the info file does not start with a [Trash Info] group" },
        { "[Other]\nPath=/a\n", "the info file does not start with a [Trash Info] group" },
        { "[Trash Info]\nDeletionDate=2020-01-01T00:00:00\n", "the info file has no Path= key" },
        { "[Trash Info]\nPath=/a%zz\n", "the info file has an invalid Path= value" },
        { "[Trash Info]\nPath=\n", "the info file has an invalid Path= value" },
        { "", "the info file has no Path= key" },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.text);
        auto parsed = parse_trash_info(c.text);
        ASSERT_FALSE(parsed);
        EXPECT_EQ(parsed.error().text(), c.error);
    }
}

TEST(TrashInfoFile, DeletionDateIsLocalTimeInIsoForm)
{
    auto text = format_deletion_date(0);
    ASSERT_EQ(text.size(), 19u);
    EXPECT_EQ(text[4], '-');
    EXPECT_EQ(text[10], 'T');
    EXPECT_EQ(text[13], ':');
}
