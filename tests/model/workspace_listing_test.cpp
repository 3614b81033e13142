#include "model/attribute_names.h"
#include "model/attributes.h"
#include "model/listing.h"
#include "model/workspace_metadata.h"
#include "workspace_fixtures.h"
#include "xattr_support.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace files::model {
namespace {

    using namespace testing;
    using test_support::TempDir;

    std::string const raw_record_id("\x8d\x1e\x7a\x52\x3c\x4b\x4e\x0f\x9a\x61\x2b\x7c\x5d\x8e\x9f\x10", 16);

    void set_all_seven(std::string const& path)
    {
        set_attribute(path, attribute::sync, "projected\n");
        set_attribute(path, attribute::content_hash, std::string(32, '\x05'));
        set_attribute(path, attribute::record_id, raw_record_id);
        set_attribute(path, attribute::availability, availability_document().dump());
        set_attribute(path, attribute::share, share_document(1).dump());
        set_attribute(path, attribute::history, history_document().dump());
        set_attribute(path, attribute::metadata, metadata_document().dump());
    }

    Entry const& entry_named(std::vector<Entry> const& entries, std::string const& name)
    {
        auto it = std::find_if(entries.begin(), entries.end(), [&](Entry const& e) { return e.name == name; });
        if (it == entries.end())
            throw std::runtime_error("no entry " + name);
        return *it;
    }

    // ext4 keeps only about 4 KiB of attributes per file, so the share and
    // history fixtures go to separate files.
    TEST(WorkspaceListing, FillsTheWorkspaceFieldsOnlyInsideARoot)
    {
        auto dir = temp_dir_for_large_attributes();
        auto const file = dir->write("clip.mp4", "data");
        set_all_seven(file);
        std::vector<std::filesystem::path> const roots = { dir->path() };

        auto inside = list_location(dir->path(), roots);
        ASSERT_TRUE(inside.has_value());
        Entry const& clip = entry_named(*inside, "clip.mp4");
        EXPECT_EQ(clip.sync, SyncState::Projected);
        ContentHash expected_hash {};
        expected_hash.fill(5);
        EXPECT_EQ(clip.content_hash, expected_hash);
        ASSERT_TRUE(clip.record_id.has_value());
        EXPECT_EQ(clip.record_id->to_text(), record_text);
        EXPECT_TRUE(clip.availability.has_value());
        EXPECT_TRUE(clip.share.has_value());
        EXPECT_TRUE(clip.history.has_value());
        ASSERT_TRUE(clip.metadata.has_value());
        EXPECT_EQ(clip.metadata->properties.codec, "h264");

        auto outside = list_location(dir->path(), {});
        ASSERT_TRUE(outside.has_value());
        Entry const& plain = entry_named(*outside, "clip.mp4");
        EXPECT_FALSE(plain.sync || plain.content_hash || plain.record_id || plain.availability || plain.share
            || plain.history || plain.metadata);
    }

    TEST(WorkspaceListing, FoldersSkipTheFileOnlyFields)
    {
        auto dir = temp_dir_for_large_attributes();
        auto const folder = dir->make_folder("album");
        set_all_seven(folder);

        auto entries = list_directory(dir->path(), WorkspaceMetadata::Read);
        ASSERT_TRUE(entries.has_value());
        Entry const& album = entry_named(*entries, "album");
        EXPECT_TRUE(album.is_dir);
        EXPECT_FALSE(album.sync.has_value());
        EXPECT_FALSE(album.content_hash.has_value());
        EXPECT_FALSE(album.metadata.has_value());
        EXPECT_TRUE(album.record_id.has_value());
        EXPECT_TRUE(album.availability.has_value());
        EXPECT_TRUE(album.share.has_value());
        EXPECT_TRUE(album.history.has_value());
    }

    TEST(WorkspaceListing, BadAttributesLeaveFieldsAbsentAndKeepTheEntry)
    {
        auto dir = temp_dir_for_large_attributes();
        auto const file = dir->write("broken.txt", "x");
        set_attribute(file, attribute::sync, "Projected");
        set_attribute(file, attribute::record_id, std::string(17, '\x01'));
        set_attribute(file, attribute::availability, "{\"schema_version\":1");
        // 64 KiB, the most an attribute can hold: rejected by its size alone.
        std::string huge = share_document(1).dump();
        huge.resize(65536, ' ');
        set_attribute(file, attribute::share, huge);
        set_attribute(file, attribute::history, "");

        auto entries = list_directory(dir->path(), WorkspaceMetadata::Read);
        ASSERT_TRUE(entries.has_value());
        ASSERT_EQ(entries->size(), 1U);
        Entry const& broken = entries->front();
        EXPECT_EQ(broken.size, 1U);
        EXPECT_FALSE(broken.sync || broken.record_id || broken.availability || broken.share || broken.history);
    }

    // Decoded records are remembered between re-reads; a changed value must
    // still be decoded afresh, and a value once rejected must not stay rejected
    // after the file system fixes it.
    TEST(WorkspaceListing, ReReadSeesChangedAttributeValues)
    {
        TempDir dir;
        auto const file = dir.write("doc.txt", "x");
        auto const pinned = availability_document();
        auto unpinned = pinned;
        unpinned["policy"] = "automatic";
        auto policy_after = [&](std::string const& value) -> std::optional<AvailabilityPolicy> {
            set_attribute(file, attribute::availability, value);
            auto entries = list_directory(dir.path(), WorkspaceMetadata::Read);
            if (!entries || entries->empty() || !entries->front().availability)
                return std::nullopt;
            return entries->front().availability->policy;
        };
        EXPECT_EQ(policy_after(pinned.dump()), AvailabilityPolicy::Pinned);
        EXPECT_EQ(policy_after(unpinned.dump()), AvailabilityPolicy::Automatic);
        EXPECT_EQ(policy_after(pinned.dump()), AvailabilityPolicy::Pinned);
        EXPECT_EQ(policy_after("{broken"), std::nullopt);
        EXPECT_EQ(policy_after(unpinned.dump()), AvailabilityPolicy::Automatic);
    }

    // A large folder is read by several threads; every entry must still get
    // its own status and attributes, in enumeration order.
    TEST(WorkspaceListing, LargeFolderGivesEveryEntryItsOwnFields)
    {
        auto dir = temp_dir_for_large_attributes();
        constexpr int count = 1500;
        auto record_of = [](int i) {
            char text[37];
            std::snprintf(text, sizeof text, "00000000-0000-4000-8000-%012d", i);
            return *collab::Uuid::parse(text);
        };
        for (int i = 0; i < count; ++i) {
            std::string const name = "f" + std::to_string(i);
            std::string const path = i % 50 == 0
                ? dir->make_folder(name).native()
                : dir->write(name, std::string(static_cast<std::size_t>(i), 'x')).native();
            auto const id = record_of(i);
            set_attribute(path, attribute::record_id, std::string(id.bytes.begin(), id.bytes.end()));
            auto availability = availability_document();
            availability["record_id"] = id.to_text();
            // Every third file shares its value with others, so shared
            // records are handed out too.
            if (i % 3 == 0)
                availability["record_id"] = record_text;
            set_attribute(path, attribute::availability, availability.dump());
            if (i % 50 != 0)
                set_attribute(path, attribute::sync, i % 2 ? "local" : "projected");
        }

        auto plain = list_directory(dir->path(), WorkspaceMetadata::Skip);
        auto read = list_directory(dir->path(), WorkspaceMetadata::Read);
        ASSERT_TRUE(plain && read);
        ASSERT_EQ(read->size(), static_cast<std::size_t>(count));
        ASSERT_EQ(plain->size(), read->size());
        for (std::size_t i = 0; i < read->size(); ++i) {
            Entry const& entry = (*read)[i];
            SCOPED_TRACE(entry.name);
            ASSERT_EQ(entry.path, (*plain)[i].path) << "enumeration order is kept";
            int const n = std::stoi(entry.name.substr(1));
            EXPECT_EQ(entry.is_dir, n % 50 == 0);
            EXPECT_EQ(entry.size, (*plain)[i].size);
            EXPECT_EQ(entry.modified, (*plain)[i].modified);
            ASSERT_TRUE(entry.record_id.has_value());
            EXPECT_EQ(*entry.record_id, record_of(n));
            ASSERT_TRUE(entry.availability.has_value());
            EXPECT_EQ(entry.availability->record_id.to_text(), n % 3 == 0 ? record_text : record_of(n).to_text());
            if (entry.is_dir) {
                EXPECT_FALSE(entry.sync.has_value());
            } else {
                EXPECT_EQ(entry.sync, n % 2 ? SyncState::Local : SyncState::Projected);
            }
        }
    }

    TEST(WorkspaceListing, SymbolicLinkReportsItsOwnAttributesNotItsTargets)
    {
        TempDir dir;
        auto const target = dir.write("target.txt", "x");
        set_attribute(target, attribute::record_id, raw_record_id);
        set_attribute(target, attribute::sync, "local");
        ASSERT_EQ(symlink("target.txt", (dir / "link").c_str()), 0);

        auto entries = list_directory(dir.path(), WorkspaceMetadata::Read);
        ASSERT_TRUE(entries.has_value());
        EXPECT_TRUE(entry_named(*entries, "target.txt").record_id.has_value());
        Entry const& link = entry_named(*entries, "link");
        EXPECT_FALSE(link.record_id.has_value());
        EXPECT_FALSE(link.sync.has_value());
        EXPECT_FALSE(read_attribute(link.path, attribute::record_id).has_value());
    }

    TEST(Attributes, ReadWriteAndBoundsOnPathsAndDescriptors)
    {
        TempDir dir;
        auto const file = dir.write("f", "");
        ASSERT_TRUE(write_attribute(file, attribute::pin, "pinned").has_value());
        EXPECT_EQ(read_attribute(file, attribute::pin), "pinned");
        EXPECT_TRUE(has_attribute(file, attribute::pin));
        EXPECT_FALSE(has_attribute(file, attribute::share));
        EXPECT_FALSE(read_attribute(file, attribute::pin, 5).has_value()) << "a value over the bound is not returned";
        EXPECT_EQ(read_attribute(file, attribute::pin, 6), "pinned");

        int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
        ASSERT_GE(fd, 0);
        ASSERT_TRUE(write_attribute(fd, attribute::availability_control, "{}").has_value());
        EXPECT_EQ(read_attribute(fd, attribute::availability_control), "{}");
        close(fd);
        EXPECT_EQ(read_attribute(file, attribute::availability_control), "{}");

        auto failed = write_attribute(dir / "missing", attribute::pin, "pinned");
        ASSERT_FALSE(failed.has_value());
        EXPECT_EQ(failed.error().code(), ENOENT);
        EXPECT_EQ(failed.error().text(), "No such file or directory");
    }

    TEST(Attributes, ThumbnailIsAnyNonEmptyValue)
    {
        TempDir dir;
        auto const with_thumb = dir.write("a.jpg", "");
        auto const empty_thumb = dir.write("b.jpg", "");
        set_attribute(with_thumb, attribute::thumbnail, std::string("\x89PNG\r\n", 6));
        set_attribute(empty_thumb, attribute::thumbnail, "");
        EXPECT_EQ(read_thumbnail(with_thumb), std::string("\x89PNG\r\n", 6));
        EXPECT_FALSE(read_thumbnail(empty_thumb).has_value());
        EXPECT_FALSE(read_thumbnail(dir.write("c.jpg", "")).has_value());
    }

}
}
