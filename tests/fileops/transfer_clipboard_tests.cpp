#include "fileops/clipboard.h"
#include "support/temp_dir.h"
#include "transfer_test_support.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using namespace files::fileops;
using transfer_test::show_message;

class ClipboardCommands : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_FALSE(transfer_test::has_private_folder(dir.path())); }

    test_support::TempDir dir;
    Clipboard clipboard;
    MessageResolver resolve = transfer_test::resolver();
};

TEST_F(ClipboardCommands, CopyAndCutReplaceTheClipboard)
{
    EXPECT_EQ(show_message(cut_to_clipboard(clipboard, { "/b", "/a" })), "files-cut(count=2)");
    EXPECT_EQ(clipboard.items, (std::vector<fs::path> { "/b", "/a" }));
    EXPECT_TRUE(clipboard.cut);
    EXPECT_EQ(show_message(copy_to_clipboard(clipboard, {})), "files-copied(count=0)");
    EXPECT_TRUE(clipboard.items.empty());
    EXPECT_FALSE(clipboard.cut);
}

TEST_F(ClipboardCommands, PasteOfAnEmptyClipboardDoesNothing)
{
    EXPECT_FALSE(paste_clipboard(clipboard, dir.path(), resolve));
    EXPECT_TRUE(dir.listing().empty());
}

TEST_F(ClipboardCommands, CopiedItemsCanBePastedAgain)
{
    auto file = dir.write("report.txt", "r");
    copy_to_clipboard(clipboard, { file });
    for (auto const* expected : { "files-pasted(count=1)", "files-pasted(count=1)" }) {
        auto outcome = paste_clipboard(clipboard, dir.path(), resolve);
        ASSERT_TRUE(outcome);
        EXPECT_EQ(show_message(outcome->notice), expected);
        EXPECT_TRUE(outcome->reload_folder);
        EXPECT_TRUE(outcome->invocation_result());
    }
    EXPECT_EQ(clipboard.items, (std::vector<fs::path> { file }));
    EXPECT_EQ(dir.listing(), (std::vector<std::string> { "report 2.txt", "report 3.txt", "report.txt" }));
}

TEST_F(ClipboardCommands, CutPasteKeepsExactlyTheFailedItems)
{
    auto a = dir.write("src/a.txt", "a");
    auto vanished = dir / "src/vanished.txt";
    auto c = dir.write("src/c.txt", "c");
    auto target = dir.make_folder("target");
    cut_to_clipboard(clipboard, { a, vanished, c });

    auto outcome = paste_clipboard(clipboard, target, resolve);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(show_message(outcome->notice), "files-pasted-with-failures(count=2, failed=1)");
    EXPECT_EQ(clipboard.items, (std::vector<fs::path> { vanished }));
    EXPECT_TRUE(clipboard.cut);
    EXPECT_EQ(transfer_test::names_in(target), (std::vector<std::string> { "a.txt", "c.txt" }));
    auto answer = outcome->invocation_result();
    ASSERT_FALSE(answer);
    EXPECT_EQ(answer.error().text(), "paste failed: " + vanished.string() + ": No such file or directory");
}

TEST_F(ClipboardCommands, CutPasteIntoTheSameFolderFailsAndKeepsTheItem)
{
    auto a = dir.write("a.txt", "a");
    auto b = dir.write("b.txt", "b");
    cut_to_clipboard(clipboard, { a, b });
    auto outcome = paste_clipboard(clipboard, dir.path(), resolve);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(show_message(outcome->notice), "files-pasted-with-failures(count=0, failed=2)");
    EXPECT_EQ(clipboard.items, (std::vector<fs::path> { a, b }));
    EXPECT_EQ(outcome->invocation_result().error().text(),
        "paste failed: " + a.string() + ": the item is already in this folder; " + b.string()
            + ": the item is already in this folder");
    EXPECT_EQ(dir.listing(), (std::vector<std::string> { "a.txt", "b.txt" }));
}

TEST_F(ClipboardCommands, DropMoveSkipsItemsAlreadyThereTheTargetAndItsAncestors)
{
    auto target = dir.make_folder("outer/target");
    auto inside = dir.write("outer/target/already.txt", "x");
    auto one = dir.write("one.txt", "1");
    auto two = dir.write("two.txt", "2");
    std::vector<fs::path> dragged { inside, one, target, dir / "outer", two };

    auto outcome = drop_move(dragged, target, resolve);
    EXPECT_TRUE(dragged.empty());
    EXPECT_EQ(show_message(outcome.notice), "files-moved-to-folder(count=2, destination=target)");
    EXPECT_TRUE(outcome.reload_folder);
    EXPECT_EQ(transfer_test::names_in(target), (std::vector<std::string> { "already.txt", "one.txt", "two.txt" }));

    std::vector<fs::path> only_skipped { inside };
    auto nothing = drop_move(only_skipped, target, resolve);
    EXPECT_EQ(show_message(nothing.notice), "files-nothing-to-move()");
    EXPECT_FALSE(nothing.reload_folder);
}

TEST_F(ClipboardCommands, DropMoveCountsFailures)
{
    auto target = dir.make_folder("target");
    auto one = dir.write("one.txt", "1");
    std::vector<fs::path> dragged { dir / "gone.txt", one };
    auto outcome = drop_move(dragged, target, resolve);
    EXPECT_EQ(show_message(outcome.notice), "files-moved-with-failures(moved=1, destination=target, failed=1)");
    ASSERT_EQ(outcome.failures.size(), 1u);
    EXPECT_EQ(outcome.failures[0].text, "No such file or directory");
    EXPECT_TRUE(outcome.reload_folder);

    std::vector<fs::path> to_root { dir / "missing" };
    EXPECT_EQ(show_message(drop_move(to_root, "/", resolve).notice),
        "files-moved-with-failures(moved=0, destination=/, failed=1)");
}

}
