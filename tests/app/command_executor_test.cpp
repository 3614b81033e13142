#include "app/command_executor.h"
#include "app/navigation.h"
#include "fileops/archive.h"
#include "i18n/translate.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace files::app;
namespace fs = std::filesystem;

namespace {

ExplorerState loaded(fs::path const& folder)
{
    ExplorerState state;
    files::app::load(state, folder, LoadHooks {});
    return state;
}

std::size_t index_of(ExplorerState const& state, std::string const& name)
{
    for (std::size_t i = 0; i < state.entries.size(); ++i) {
        if (state.entries[i].name == name)
            return i;
    }
    ADD_FAILURE() << "no entry " << name;
    return 0;
}

}

TEST(CommandExecutor, ArchiveLocationRefusesChangesButExtractsItself)
{
    test_support::TempDir dir;
    dir.write("src/inside.txt", "hello");
    ASSERT_TRUE(files::fileops::create_zip(dir / "a.zip", { dir / "src" / "inside.txt" }));

    LoadHooks hooks;
    hooks.list_archive = [](fs::path const&) -> std::optional<base::Result<std::vector<files::model::Entry>>> {
        return std::vector<files::model::Entry> {};
    };
    ExplorerState state = loaded(dir.path());
    state.clipboard.items = { dir / "src" / "inside.txt" };
    files::app::load(state, dir / "a.zip", hooks);
    auto read_only = files::i18n::translate("files-archive-read-only");
    EXPECT_EQ(state.notice, read_only);

    auto before = dir.listing();
    for (auto command : { FileCommand::Paste, FileCommand::NewFolder, FileCommand::MoveToTrash, FileCommand::Copy,
             FileCommand::DropOnFolder, FileCommand::CompressSelection }) {
        state.notice.reset();
        EXPECT_FALSE(pass_read_only_guard(state, command));
        EXPECT_EQ(state.notice, read_only);
    }
    state.notice.reset();
    EXPECT_TRUE(paste_clipboard_here(state));
    EXPECT_EQ(state.notice, read_only);
    EXPECT_EQ(dir.listing(), before);

    for (auto command : { FileCommand::ExtractBrowsed, FileCommand::Restore, FileCommand::UndoMoveToTrash,
             FileCommand::EmptyTrash, FileCommand::CancelRename })
        EXPECT_TRUE(pass_read_only_guard(state, command));

    extract_browsed(state);
    EXPECT_EQ(state.notice, files::i18n::translate_with("files-archive-extracted", { { "count", 1 } }));
    EXPECT_EQ(test_support::read_file(dir / "a" / "inside.txt"), "hello");
}

TEST(CommandExecutor, PasteWithOneFailureReportsAndShowsTheNewItems)
{
    test_support::TempDir dir;
    auto one = dir.write("from/one.txt", "1");
    auto two = dir.write("from/two.txt", "2");
    dir.make_folder("to");
    ExplorerState state = loaded(dir / "to");
    state.clipboard.items = { one, dir / "from" / "missing.txt", two };

    auto answer = paste_clipboard_here(state);
    ASSERT_FALSE(answer);
    EXPECT_EQ(answer.error().text().rfind("paste failed: ", 0), 0u) << answer.error().text();
    EXPECT_EQ(
        state.notice, files::i18n::translate_with("files-pasted-with-failures", { { "count", 2 }, { "failed", 1 } }));
    ASSERT_EQ(state.entries.size(), 2u);
    EXPECT_EQ(state.entries[0].name, "one.txt");
    EXPECT_EQ(state.entries[1].name, "two.txt");
}

TEST(CommandExecutor, CopyAndCutFollowTheSelection)
{
    test_support::TempDir dir;
    dir.write("a.txt", "a");
    dir.write("b.txt", "b");
    ExplorerState state = loaded(dir.path());
    state.clipboard.items = { dir / "stale" };

    copy_selection(state);
    EXPECT_TRUE(state.clipboard.items.empty());
    EXPECT_EQ(state.notice, files::i18n::translate_with("files-copied", { { "count", 0 } }));

    state.selection.select_only(index_of(state, "b.txt"));
    state.selection.toggle(index_of(state, "a.txt"));
    cut_selection(state);
    EXPECT_TRUE(state.clipboard.cut);
    EXPECT_EQ(state.clipboard.items, (std::vector<fs::path> { dir / "a.txt", dir / "b.txt" }));
    EXPECT_EQ(state.notice, files::i18n::translate_with("files-cut", { { "count", 2 } }));
}
