#include "views/file_view.h"
#include "views/file_view_access.h"
#include "views/view_fixtures.h"

#include <gtest/gtest.h>

namespace {

using namespace files::views;
using namespace files::model;
using view_fixtures::availability;

TEST(EntryDescription, PartsInOrderJoinedByFullStops)
{
    struct Case {
        char const* what;
        Entry entry;
        char const* want;
    };
    Entry local = view_fixtures::file("/w", "a.txt", 1050);
    local.sync = SyncState::Local;
    Entry projected = view_fixtures::file("/w", "b.txt", 0);
    projected.sync = SyncState::Projected;

    Entry pinned_parent = view_fixtures::file("/w", "c.txt", 1050);
    pinned_parent.availability = availability(ResidencyState::Resident);
    pinned_parent.availability->policy = AvailabilityPolicy::Pinned;
    pinned_parent.availability->policy_inherited = true;
    pinned_parent.availability->replicas = ReplicaState::Known;
    pinned_parent.availability->durable_replicas = 2;

    Entry failed = view_fixtures::file("/w", "d.txt", 1050);
    failed.availability = availability(ResidencyState::Partial, TransferPhase::Uploading);
    failed.availability->last_error = "no space";
    failed.availability->replicas = ReplicaState::Known;

    Entry shared = view_fixtures::folder("/w", "Team");
    shared.share = view_fixtures::share_with(2, 3);
    shared.history = view_fixtures::history_with_conflict(collab::ConflictStatus::Open);

    Entry resolved = view_fixtures::file("/w", "e.txt", 1050);
    resolved.history = view_fixtures::history_with_conflict(collab::ConflictStatus::Resolved);
    resolved.share = view_fixtures::share_with(1, 0);

    Entry queued = view_fixtures::file("/w", "f.txt", 1050);
    queued.availability = availability(ResidencyState::NotResident, TransferPhase::Queued);
    queued.availability->policy = AvailabilityPolicy::Pinned;

    Case const cases[] = {
        { "plain file", view_fixtures::file("/p", "x.bin", 1050), "File, 1.1\u00a0kB" },
        { "sync local", local, "File, 1.1\u00a0kB. Available offline" },
        { "sync projected", projected, "File, 0\u00a0B. Online only" },
        { "pinned by parent", pinned_parent,
            "File, 1.1\u00a0kB. Available offline. Kept offline by a parent folder. Durably copied elsewhere" },
        { "failed transfer", failed, "File, 1.1\u00a0kB. Transfer failed. Not yet durably copied elsewhere" },
        { "queued and pinned", queued, "File, 1.1\u00a0kB. Transfer queued. Kept offline. Copies elsewhere unknown" },
        { "shared folder in conflict", shared, "Folder. Shared with 2 recipients. Version conflict" },
        { "resolved conflict", resolved, "File, 1.1\u00a0kB. Shared with 1 recipient" },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(entry_description(c.entry), c.want);
    }
}

TEST(FileViewAccessibility, ListNodeWithVisibleEntriesOnly)
{
    std::vector<Entry> entries;
    for (int i = 0; i < 200; ++i)
        entries.push_back(view_fixtures::file("/p", "file" + std::to_string(i) + ".txt"));
    ui::SelectionModel selection;
    selection.select_only(12);
    FileView view(selection);
    view.set_entries(entries);
    view.apply_layout({ 0, 0, 800, list_content_height(entries.size(), {}) });
    view.set_visible_clip(ui::Rect { 0, 340, 800, 740 });
    view.set_focus(true);

    ui::AccessNode node = view.accessibility();
    EXPECT_EQ(node.id, "file_view");
    EXPECT_EQ(node.role, ui::AccessRole::List);
    EXPECT_EQ(node.label, "Files");
    EXPECT_EQ(node.value, "file12.txt");
    EXPECT_EQ(node.bounds, (ui::Rect { 0, 340, 800, 740 }));
    EXPECT_EQ(view.primary_position(), (std::pair<std::size_t, std::size_t> { 13, 200 }));
    // Rows 9 to 20 meet the clip; one more on each side.
    ASSERT_EQ(node.children.size(), 14u);
    EXPECT_EQ(node.children.front().id, "file_row:8");
    EXPECT_EQ(node.children.back().id, "file_row:21");
    ui::AccessNode const* primary = node.find("file_row:12");
    ASSERT_NE(primary, nullptr);
    EXPECT_EQ(primary->label, "file12.txt");
    EXPECT_EQ(primary->description, "File, 2\u00a0kB");
    EXPECT_EQ(primary->bounds, list_row_rect(12, view.bounds(), {}));
    EXPECT_TRUE(primary->selected);
    EXPECT_TRUE(primary->focused);
    EXPECT_FALSE(node.find("file_row:13")->selected);
}

}
