// Reading catalogue files: unreadable files, the size bound and UTF-8.

#include "ftl_tool/source_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace files::ftl_tool {
namespace {

    TEST(SourceFile, FirstInvalidUtf8Byte)
    {
        struct Case {
            char const* name;
            std::string text;
            std::optional<std::size_t> offset;
        };
        Case const cases[] = {
            { "ASCII", "key = value\n", std::nullopt },
            { "two, three and four bytes", "é € 😂", std::nullopt },
            { "empty", "", std::nullopt },
            { "lone continuation byte", "ab\x80", 2 },
            { "overlong two-byte form", "a\xC0\xAF", 1 },
            { "overlong three-byte form", "\xE0\x80\xAF", 0 },
            { "surrogate", "ok \xED\xA0\x80", 3 },
            { "above U+10FFFF", "\xF4\x90\x80\x80", 0 },
            { "truncated at the end", "x = \xE2\x82", 4 },
            { "lead byte followed by ASCII", "\xC3(", 0 },
            { "invalid lead byte", "a\xFF", 1 },
        };
        for (auto const& test : cases) {
            SCOPED_TRACE(test.name);
            EXPECT_EQ(first_invalid_utf8(test.text), test.offset);
        }
    }

    TEST(SourceFile, ReadsAFileUpToTheBound)
    {
        test_support::TempDir const temp;
        std::string const text = "a = b\n" + std::string(max_resource_bytes - 6, '#');
        auto const path = temp.write("full.ftl", text);
        auto const read = read_resource_file(path.string());
        ASSERT_TRUE(read.has_value()) << read.error().text();
        EXPECT_EQ(*read, text);
    }

    TEST(SourceFile, BadInputIsRefusedWithItsReason)
    {
        test_support::TempDir const temp;
        std::string const large = temp.write("large.ftl", std::string(max_resource_bytes + 1, '#')).string();
        std::string const invalid = temp.write("latin1.ftl", "a = caf\xE9\n").string();
        std::string const folder = temp.make_folder("folder.ftl").string();
        std::string const missing = (temp / "missing.ftl").string();
        struct Case {
            std::string path;
            std::string text;
            int code;
        };
        Case const cases[] = {
            { large, large + ": larger than 1 MiB, not read", 0 },
            { invalid, invalid + ": invalid UTF-8 at byte 7", 0 },
            { folder, "cannot read " + folder + ": Is a directory", EISDIR },
            { missing, "cannot read " + missing + ": No such file or directory", ENOENT },
        };
        for (auto const& test : cases) {
            SCOPED_TRACE(test.path);
            auto const read = read_resource_file(test.path);
            ASSERT_FALSE(read.has_value());
            EXPECT_EQ(read.error().text(), test.text);
            EXPECT_EQ(read.error().code(), test.code);
        }
    }

    TEST(SourceFile, AStreamIsCutOffAtTheBound)
    {
        // /dev/zero has no size to check up front; reading must still stop.
        auto const read = read_resource_file("/dev/zero");
        ASSERT_FALSE(read.has_value());
        EXPECT_EQ(read.error().text(), "/dev/zero: larger than 1 MiB, not read");
    }

}
}
