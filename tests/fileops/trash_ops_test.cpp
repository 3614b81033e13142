#include "fileops/trash_ops.h"
#include "fileops/trash_ops_commands.h"
#include "support/temp_dir.h"

#include <cstdlib>
#include <functional>
#include <utility>

#include <gtest/gtest.h>

using namespace files::fileops;
namespace fs = std::filesystem;
namespace trash = services::trash;
using test_support::read_file;

namespace {

std::string render(std::optional<Message> const& message)
{
    if (!message)
        return "(none)";
    std::string text = message->id;
    for (auto const& argument : message->arguments) {
        text += " " + argument.name + "=";
        if (auto const* value = std::get_if<std::string>(&argument.value))
            text += *value;
        else
            text += std::to_string(std::get<std::int64_t>(argument.value));
    }
    return text;
}

class TrashOps : public ::testing::Test {
protected:
    TrashOps()
    {
        if (auto const* value = std::getenv("XDG_DATA_HOME"))
            m_saved = value;
        ::setenv("XDG_DATA_HOME", (m_dir / "data").c_str(), 1);
        m_dir.make_folder("data");
    }
    ~TrashOps() override
    {
        if (m_saved)
            ::setenv("XDG_DATA_HOME", m_saved->c_str(), 1);
        else
            ::unsetenv("XDG_DATA_HOME");
    }
    fs::path write(std::string const& name, std::string const& content = "x")
    {
        return m_dir.write("home/" + name, content);
    }
    fs::path files() const { return m_dir / "data/Trash/files"; }
    fs::path home() const { return m_dir / "home"; }

    test_support::TempDir m_dir;
    std::optional<TrashUndo> undo;

private:
    std::optional<std::string> m_saved;
};

}

TEST_F(TrashOps, MoveThenUndoPutsEverythingBack)
{
    auto a = write("a.txt", "A");
    auto b = write("b b", "B");
    auto moved = move_to_trash({ a, b }, home(), undo);
    EXPECT_EQ(render(moved.notice), "files-moved-to-trash count=2");
    EXPECT_EQ(moved.reload, Reload::Yes);
    ASSERT_TRUE(undo);
    EXPECT_EQ(undo->paths, (std::vector<fs::path> { files() / "a.txt", files() / "b b" }));

    auto undone = undo_move_to_trash(undo);
    EXPECT_EQ(render(undone.notice), "files-undo-trash-restored count=2");
    EXPECT_EQ(undo, std::nullopt);
    EXPECT_EQ(read_file(a), "A");
    EXPECT_EQ(read_file(b), "B");
    EXPECT_EQ(render(undo_move_to_trash(undo).notice), "files-undo-trash-unavailable");
}

TEST_F(TrashOps, AnotherProgramTrashingMeanwhileDisablesUndo)
{
    auto a = write("a");
    auto b = write("b");
    auto c = write("c");
    trash::TrashHooks hooks;
    bool done = false;
    hooks.after_info_written = [&](fs::path const&) {
        if (!std::exchange(done, true)) {
            ASSERT_TRUE(trash::trash_paths({ c }));
        }
    };
    auto moved = move_to_trash({ a, b }, home(), undo, hooks);
    EXPECT_EQ(render(moved.notice), "files-moved-to-trash count=2");
    EXPECT_EQ(undo, std::nullopt);
    EXPECT_EQ(trash_snapshot()->size(), 3u);
}

TEST_F(TrashOps, StaleUndoRestoresNothing)
{
    struct Case {
        char const* name;
        std::function<void()> meanwhile;
    };
    Case const cases[] = {
        { "trash emptied", [] { ASSERT_TRUE(empty_trash_all()); } },
        { "one item restored elsewhere",
            [&] {
                auto items = trash::list_trash();
                ASSERT_TRUE(items);
                std::erase_if(*items, [](trash::TrashItem const& item) { return item.name != "one"; });
                ASSERT_TRUE(trash::restore_items(*items));
            } },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        auto one = write("one");
        auto two = write("two");
        move_to_trash({ one, two }, home(), undo);
        ASSERT_TRUE(undo);
        c.meanwhile();
        EXPECT_EQ(render(undo_move_to_trash(undo).notice), "files-undo-trash-unavailable");
        EXPECT_EQ(undo, std::nullopt);
        EXPECT_FALSE(fs::exists(two));
        ASSERT_TRUE(empty_trash_all());
        fs::remove(one);
    }
}

TEST_F(TrashOps, FailedUndoKeepsTheRecordForAnotherTry)
{
    auto a = write("a.txt", "old");
    move_to_trash({ a }, home(), undo);
    write("a.txt", "new");
    auto undone = undo_move_to_trash(undo);
    EXPECT_EQ(render(undone.notice),
        "files-undo-trash-failed error=cannot restore " + a.string() + ", an item already exists there: File exists");
    ASSERT_TRUE(undo);
    fs::remove(a);
    EXPECT_EQ(render(undo_move_to_trash(undo).notice), "files-undo-trash-restored count=1");
    EXPECT_EQ(read_file(a), "old");
}

TEST_F(TrashOps, FailedMoveLeavesUndoAlone)
{
    undo = TrashUndo { { "/shot-only-trash-entry" } };
    auto missing = home() / "missing";
    auto moved = move_to_trash({ missing }, home(), undo);
    EXPECT_EQ(render(moved.notice), "files-delete-failed error=" + missing.string() + ": No such file or directory");
    EXPECT_EQ(moved.reload, Reload::No);
    EXPECT_EQ(undo, (TrashUndo { { "/shot-only-trash-entry" } }));
    EXPECT_EQ(render(move_to_trash({}, home(), undo).notice), "(none)");
}

TEST_F(TrashOps, InsideTrashMoveAsksForPermanentDeletion)
{
    auto a = write("a");
    move_to_trash({ a }, home(), undo);
    auto stored = files() / "a";
    auto asked = move_to_trash({ stored }, files().string() + "/", undo);
    ASSERT_TRUE(asked.sheet);
    EXPECT_EQ(render(asked.sheet->title), "files-permanent-delete-title count=1");
    EXPECT_EQ(render(asked.sheet->summary), "files-permanent-delete-summary count=1");
    EXPECT_EQ(render(asked.sheet->loss), "files-permanent-delete-loss");
    EXPECT_EQ(render(asked.sheet->confirm_label), "files-permanent-delete-confirm");
    EXPECT_EQ(asked.sheet->command, ConfirmCommand::DeletePermanently);
    EXPECT_EQ(asked.sheet->paths, std::vector<fs::path> { stored });
    EXPECT_TRUE(fs::exists(stored));

    auto deleted = delete_permanently(asked.sheet->paths, undo);
    EXPECT_EQ(render(deleted.notice), "files-permanently-deleted count=1");
    EXPECT_EQ(undo, std::nullopt);
    EXPECT_EQ(trash_snapshot(), std::vector<fs::path> {});
}

TEST_F(TrashOps, InTrashMeansTheFilesFolderItself)
{
    EXPECT_TRUE(is_in_trash(files()));
    EXPECT_TRUE(is_in_trash(files() / "."));
    EXPECT_FALSE(is_in_trash(files() / "sub"));
    EXPECT_FALSE(is_in_trash(m_dir / "data/Trash"));
    EXPECT_TRUE(is_trashed_item(files() / "sub"));
    EXPECT_FALSE(is_trashed_item(files()));
}

TEST_F(TrashOps, RestoreAndPurgeCountOnlyMatchedEntries)
{
    auto good = write("good.txt", "g");
    auto raw = write("raw\xFF", "r");
    auto gone = write("sub/gone.txt", "s");
    move_to_trash({ good, raw, gone }, home(), undo);
    fs::remove(home() / "sub");

    auto restored = restore_selected({ files() / "good.txt", files() / "raw\xFF", files() / "unknown" }, undo);
    EXPECT_EQ(render(restored.notice), "files-restored count=1");
    EXPECT_EQ(undo, std::nullopt);
    EXPECT_EQ(read_file(good), "g");

    auto missing_folder = restore_selected({ files() / "gone.txt" }, undo);
    EXPECT_EQ(render(missing_folder.notice),
        "files-restore-failed error=cannot restore " + gone.string()
            + ", its folder is missing: No such file or directory");

    auto purged = delete_permanently({ files() / "raw\xFF" }, undo);
    EXPECT_EQ(render(purged.notice), "files-permanently-deleted count=0");
    EXPECT_TRUE(fs::exists(files() / "raw\xFF"));
}

TEST_F(TrashOps, EmptyTrashConfirmsThenPurgesEverything)
{
    EXPECT_EQ(render(request_empty_trash(0).notice), "files-trash-already-empty");
    EXPECT_EQ(request_empty_trash(0).sheet, std::nullopt);

    auto sheet = request_empty_trash(2).sheet;
    ASSERT_TRUE(sheet);
    EXPECT_EQ(render(sheet->title), "files-empty-trash-title");
    EXPECT_EQ(render(sheet->summary), "files-empty-trash-summary count=2");
    EXPECT_EQ(render(sheet->loss), "files-permanent-delete-loss");
    EXPECT_EQ(render(sheet->confirm_label), "files-empty-trash-confirm");
    EXPECT_EQ(sheet->command, ConfirmCommand::EmptyTrash);

    write("folder/inner");
    move_to_trash({ write("a"), home() / "folder" }, home(), undo);
    auto emptied = empty_trash(undo);
    EXPECT_EQ(render(emptied.notice), "files-emptied-trash count=2");
    EXPECT_EQ(undo, std::nullopt);
    EXPECT_EQ(trash_snapshot(), std::vector<fs::path> {});
    EXPECT_EQ(render(empty_trash(undo).notice), "files-trash-already-empty");
}
