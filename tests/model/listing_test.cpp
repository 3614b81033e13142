#include "model/display_name.h"
#include "model/listing.h"
#include "model/mime.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace files::model {
namespace {

    using test_support::TempDir;

    Entry const* find(std::vector<Entry> const& entries, std::string const& name)
    {
        auto it = std::find_if(entries.begin(), entries.end(), [&](Entry const& e) { return e.name == name; });
        return it == entries.end() ? nullptr : &*it;
    }

    TEST(ListDirectory, DescribesEveryItemFromItsOwnStatus)
    {
        TempDir dir;
        dir.write("notes.txt", "hello");
        dir.make_folder("docs");
        struct timespec const times[2] = { { 1000, 0 }, { 1700000000, 123456789 } };
        ASSERT_EQ(utimensat(AT_FDCWD, (dir / "notes.txt").c_str(), times, 0), 0);

        auto entries = list_directory(dir.path(), WorkspaceMetadata::Skip);
        ASSERT_TRUE(entries.has_value()) << entries.error().text();
        ASSERT_EQ(entries->size(), 2U); // no "." or ".."

        Entry const* notes = find(*entries, "notes.txt");
        ASSERT_NE(notes, nullptr);
        EXPECT_FALSE(notes->is_dir);
        EXPECT_EQ(notes->size, 5U);
        EXPECT_EQ(notes->path, dir / "notes.txt");
        EXPECT_EQ(notes->mime, "text/plain");
        ASSERT_TRUE(notes->modified.has_value());
        EXPECT_EQ(notes->modified->unix_seconds, 1700000000);
        EXPECT_EQ(notes->modified->nanoseconds, 123456789U);
        EXPECT_FALSE(notes->record_id.has_value());
        EXPECT_FALSE(notes->availability.has_value());

        Entry const* docs = find(*entries, "docs");
        ASSERT_NE(docs, nullptr);
        EXPECT_TRUE(docs->is_dir);
        EXPECT_EQ(docs->mime, "application/octet-stream");
    }

    TEST(ListDirectory, SymbolicLinkToAFolderIsAFileOfTheLinksOwnSize)
    {
        TempDir dir;
        dir.make_folder("target-folder");
        ASSERT_EQ(symlink("target-folder", (dir / "link").c_str()), 0);

        auto entries = list_directory(dir.path(), WorkspaceMetadata::Skip);
        ASSERT_TRUE(entries.has_value());
        Entry const* link = find(*entries, "link");
        ASSERT_NE(link, nullptr);
        EXPECT_FALSE(link->is_dir);
        EXPECT_EQ(link->size, std::string("target-folder").size());
    }

    TEST(ListDirectory, NonUtf8NameIsReplacedForDisplayButThePathKeepsTheBytes)
    {
        TempDir dir;
        std::string const raw = "caf\xE9.txt"; // Latin-1 e-acute
        dir.write(raw, "x");

        auto entries = list_directory(dir.path(), WorkspaceMetadata::Skip);
        ASSERT_TRUE(entries.has_value());
        ASSERT_EQ(entries->size(), 1U);
        Entry const& entry = entries->front();
        EXPECT_EQ(entry.name, "caf\xEF\xBF\xBD.txt");
        EXPECT_EQ(std::filesystem::path(entry.path).filename().native(), raw);
        EXPECT_EQ(entry.mime, "text/plain");
        struct stat status { };
        EXPECT_EQ(stat(entry.path.c_str(), &status), 0) << "the exact path must still reach the file";
    }

    TEST(ListDirectory, FailureCarriesTheOperatingSystemText)
    {
        TempDir dir;
        auto const plain_file = dir.write("plain", "");
        struct Case {
            char const* label;
            std::filesystem::path path;
            char const* text;
            int code;
        };
        Case const cases[] = {
            { "missing folder", dir / "missing", "No such file or directory", ENOENT },
            { "file used as a folder", plain_file, "Not a directory", ENOTDIR },
        };
        for (auto const& test_case : cases) {
            SCOPED_TRACE(test_case.label);
            auto entries = list_directory(test_case.path, WorkspaceMetadata::Skip);
            ASSERT_FALSE(entries.has_value());
            EXPECT_EQ(entries.error().text(), test_case.text);
            EXPECT_EQ(entries.error().code(), test_case.code);
        }
    }

    TEST(HideDotEntries, RemovesOnlyNamesStartingWithAFullStop)
    {
        TempDir dir;
        for (auto name : { ".profile", "profile.", "a.b", ".config" })
            dir.write(name, "");
        auto entries = list_directory(dir.path(), WorkspaceMetadata::Skip);
        ASSERT_TRUE(entries.has_value());
        hide_dot_entries(*entries);
        std::vector<std::string> names;
        for (auto const& entry : *entries)
            names.push_back(entry.name);
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string> { "a.b", "profile." }));
    }

    TEST(IsInsideRoots, ComparesComponentByComponent)
    {
        std::vector<std::filesystem::path> const roots = { "/srv/a", "/var/workspace/" };
        struct Case {
            char const* path;
            bool inside;
        };
        Case const cases[] = {
            { "/srv/a", true },
            { "/srv/a/", true },
            { "/srv/a/b/c", true },
            { "/srv//a/b", true },
            { "/srv/ab", false },
            { "/srv", false },
            { "/var/workspace", true },
            { "/var/workspace2/x", false },
            { "/", false },
        };
        for (auto const& test_case : cases) {
            SCOPED_TRACE(test_case.path);
            EXPECT_EQ(is_inside_roots(test_case.path, roots), test_case.inside);
        }
        EXPECT_FALSE(is_inside_roots("/srv/a", {}));
    }

    TEST(DisplayName, ReplacesEachMaximalIllFormedSubsequence)
    {
        struct Case {
            char const* label;
            std::string bytes;
            std::string shown;
        };
        std::string const fffd = "\xEF\xBF\xBD";
        Case const cases[] = {
            { "ascii", "plain.txt", "plain.txt" },
            { "valid multibyte", "\xE2\x82\xAC 5", "\xE2\x82\xAC 5" },
            { "stray continuation", "a\x80z", "a" + fffd + "z" },
            { "truncated sequence is one replacement", "a\xE2\x82z", "a" + fffd + "z" },
            { "truncated at the end", "a\xF0\x9F\x98", "a" + fffd },
            { "overlong encoding", "\xC0\xAF", fffd + fffd },
            { "surrogate", "\xED\xA0\x80", fffd + fffd + fffd },
            { "above U+10FFFF", "\xF4\x90\x80\x80", fffd + fffd + fffd + fffd },
        };
        for (auto const& test_case : cases) {
            SCOPED_TRACE(test_case.label);
            EXPECT_EQ(display_name(test_case.bytes), test_case.shown);
        }
    }

    TEST(MimeForName, GuessesFromTheExtensionAlone)
    {
        struct Case {
            char const* name;
            std::string_view mime;
        };
        Case const cases[] = {
            { "paper.pdf", "application/pdf" },
            { "SHOT.PNG", "image/png" },
            { "archive.tar.gz", "application/gzip" },
            { "notes.txt", "text/plain" },
            { "README", "application/octet-stream" },
            { ".profile", "application/octet-stream" },
            { "profile.", "application/octet-stream" },
            { "data.unknownext", "application/octet-stream" },
        };
        for (auto const& test_case : cases) {
            SCOPED_TRACE(test_case.name);
            EXPECT_EQ(mime_for_name(test_case.name), test_case.mime);
        }
    }

}
}
