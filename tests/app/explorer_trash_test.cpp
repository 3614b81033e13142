#include "app/command_executor.h"
#include "app/explorer_actions.h"
#include "app/navigation.h"
#include "i18n/translate.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

#include <cstdlib>

#include <gtest/gtest.h>

using namespace files::app;
namespace fs = std::filesystem;

namespace {

ui::InvokeResult folder_command(ExplorerState& state, std::string const& command, int kind)
{
    return invoke_action(state, LoadHooks {}, { "files.folder-command", kind, "\"" + command + "\"", {} });
}

}

TEST(ExplorerTrash, TrashUndoAndEmptyThroughTheExplorer)
{
    test_support::TempDir dir;
    test_support::ScopedEnv data("XDG_DATA_HOME", (dir / "data").string());
    dir.write("shown/a.txt", "a");
    dir.write("shown/b.txt", "b");
    ExplorerState state;
    LoadHooks hooks;
    load(state, dir / "shown", hooks);
    state.selection.select_only(0);
    state.selection.toggle(1);

    trash_selection(state);
    EXPECT_TRUE(state.entries.empty());
    EXPECT_EQ(state.notice, files::i18n::translate_with("files-moved-to-trash", { { "count", 2 } }));
    EXPECT_TRUE(fs::exists(dir / "data" / "Trash" / "files" / "a.txt"));
    EXPECT_TRUE(fs::exists(dir / "data" / "Trash" / "info" / "a.txt.trashinfo"));

    EXPECT_TRUE(folder_command(state, "undo-trash", 1).is_handled());
    EXPECT_EQ(state.entries.size(), 2u);
    EXPECT_EQ(state.notice, files::i18n::translate_with("files-undo-trash-restored", { { "count", 2 } }));
    EXPECT_EQ(test_support::read_file(dir / "shown" / "a.txt"), "a");

    // Inside the Trash, trashing asks for permanent deletion and Empty
    // Trash asks for confirmation first.
    state.selection.select_only(0);
    trash_selection(state);
    EXPECT_EQ(state.notice, files::i18n::translate_with("files-moved-to-trash", { { "count", 1 } }));
    load(state, dir / "data" / "Trash" / "files", hooks);
    ASSERT_EQ(state.entries.size(), 1u);
    auto address = entry_address(state.entries[0]);
    auto refused = invoke_action(state, hooks, { "files.entry-command", 1, "[\"trash\",\"" + address + "\"]", {} });
    EXPECT_EQ(refused.failure, "Use the separately confirmed permanent-delete action for items already in Trash");

    EXPECT_TRUE(folder_command(state, "empty-trash", 1).is_handled());
    ASSERT_TRUE(state.sheet);
    EXPECT_EQ(state.sheet->confirm, ConfirmKind::EmptyTrash);
    confirm_sheet(state);
    EXPECT_FALSE(state.sheet);
    EXPECT_TRUE(state.entries.empty());
    EXPECT_FALSE(fs::exists(dir / "data" / "Trash" / "files" / "a.txt"));
    EXPECT_TRUE(fs::exists(dir / "shown" / "b.txt"));
}
