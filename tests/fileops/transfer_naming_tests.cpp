#include "fileops/clipboard.h"
#include "fileops/name_allocation.h"

#include <gtest/gtest.h>

namespace {

using namespace files::fileops;

TEST(TransferNaming, CandidateNamesNumberTheStem)
{
    struct Case {
        char const* name;
        int attempt;
        char const* expected;
    };
    Case const cases[] = {
        { "report.txt", 1, "report.txt" },
        { "report.txt", 2, "report 2.txt" },
        { "report.txt", 9999, "report 9999.txt" },
        { "archive.tar.gz", 2, "archive.tar 2.gz" },
        { "Notes", 3, "Notes 3" },
        { ".profile", 2, ".profile 2" },
        { ".config.json", 2, ".config 2.json" },
        { "ends-with.", 2, "ends-with 2." },
        { "...", 2, ".. 2." },
    };
    for (auto const& row : cases) {
        SCOPED_TRACE(std::string(row.name) + " #" + std::to_string(row.attempt));
        EXPECT_EQ(candidate_name(split_name(row.name), row.attempt), row.expected);
    }
}

TEST(TransferNaming, InvalidUtf8IsReplacedByMaximalSubparts)
{
    struct Case {
        char const* label;
        std::string bytes;
        std::string expected;
    };
    std::string const r = "\xEF\xBF\xBD";
    Case const cases[] = {
        { "ascii", "plain.txt", "plain.txt" },
        { "valid multibyte", "K\xC3\xA4se \xE2\x82\xAC \xF0\x9F\x93\x81", "K\xC3\xA4se \xE2\x82\xAC \xF0\x9F\x93\x81" },
        { "lone byte", "bad\xFF.txt", "bad" + r + ".txt" },
        { "truncated three-byte sequence", "x\xE2\x82", "x" + r },
        { "truncated before ascii", "\xE2\x82y", r + "y" },
        { "overlong slash", "\xC0\xAF", r + r },
        { "surrogate", "\xED\xA0\x80", r + r + r },
        { "above U+10FFFF", "\xF4\x90\x80\x80", r + r + r + r },
        { "stray continuation",
            "\x80"
            "a",
            r + "a" },
    };
    for (auto const& row : cases) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(lossy_utf8(row.bytes), row.expected);
    }
}

TEST(TransferNaming, PathComponents)
{
    struct Case {
        char const* path;
        std::optional<std::string> name;
        std::optional<std::string> parent;
    };
    Case const cases[] = {
        { "/a/b.txt", "b.txt", "/a" },
        { "/a/b/", "b", "/a" },
        { "/a/b/.", "b", "/a" },
        { "/a", "a", "/" },
        { "b", "b", "." },
        { "/", std::nullopt, std::nullopt },
        { "", std::nullopt, std::nullopt },
        { "/a/..", std::nullopt, "/a" },
    };
    for (auto const& row : cases) {
        SCOPED_TRACE(row.path);
        auto name = last_component(row.path);
        auto parent = parent_folder(row.path);
        EXPECT_EQ(name ? std::optional(name->string()) : std::nullopt, row.name);
        EXPECT_EQ(parent ? std::optional(parent->string()) : std::nullopt, row.parent);
    }
}

TEST(TransferNaming, DropSkipRulesComparePathsByComponent)
{
    struct Case {
        char const* item;
        char const* target;
        DropSkip expected;
    };
    Case const cases[] = {
        { "/home/u/a.txt", "/home/u", DropSkip::AlreadyInFolder },
        { "/home/u/a.txt", "/home/u/", DropSkip::AlreadyInFolder },
        { "/home/u/docs", "/home/u/docs", DropSkip::IsTarget },
        { "/home/u/docs", "/home/u/docs/inner/deep", DropSkip::ContainsTarget },
        { "/home/u/docs", "/home/u/docs-old", DropSkip::None },
        { "/home/u/docs", "/home/u/other", DropSkip::None },
        { "/home/u/docs/a.txt", "/home/u", DropSkip::None },
    };
    for (auto const& row : cases) {
        SCOPED_TRACE(std::string(row.item) + " -> " + row.target);
        EXPECT_EQ(drop_skip_reason(row.item, row.target), row.expected);
    }
}

}
