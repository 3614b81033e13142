// Transfers that meet a failing file system. Each test checks that every byte
// of the source is still somewhere the result names, and that no private
// staging or quarantine folder is left unless the failure text names it.

#include "fileops/transfer.h"
#include "support/temp_dir.h"
#include "transfer_test_support.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using namespace files::fileops;
using transfer_test::names_in;
using transfer_test::snapshot;
using transfer_test::TmpfsMount;

class TransferFault : public ::testing::Test {
protected:
    // A failed assertion must not leave an immutable file that nobody can delete.
    void TearDown() override
    {
        std::error_code ignored;
        for (auto it = fs::recursive_directory_iterator(dir.path(), ignored); it != fs::recursive_directory_iterator();
             it.increment(ignored)) {
            if (it->is_regular_file(ignored))
                transfer_test::set_immutable(it->path(), false);
        }
    }

    // A tmpfs of the given size, or the test is skipped where mounting is not allowed.
    TmpfsMount* mount_tmpfs(std::string const& size)
    {
        if (auto created = TmpfsMount::create(dir / "mnt", size))
            m_mount.emplace(std::move(*created));
        return m_mount ? &*m_mount : nullptr;
    }

    void fill_source_tree(std::size_t large_size = 70000)
    {
        transfer_test::write_file(dir / "src/tree/a.txt", "alpha", 0640);
        transfer_test::write_file(dir / "src/tree/sub/b.bin", std::string(large_size, 'b'), 0755);
        fs::create_symlink("../a.txt", dir / "src/tree/sub/link");
    }

    test_support::TempDir dir;
    std::optional<TmpfsMount> m_mount;
    MessageResolver resolve = transfer_test::resolver();
};

#define REQUIRE_MOUNT(mount)                                                                                           \
    if (!(mount))                                                                                                      \
        GTEST_SKIP() << "cannot mount a tmpfs here (needs CAP_SYS_ADMIN)";

TEST_F(TransferFault, MoveAcrossFileSystemsCopiesRemovesAndLeavesNoStaging)
{
    auto* mount = mount_tmpfs("8m");
    REQUIRE_MOUNT(mount);
    fill_source_tree();
    transfer_test::write_file(dir / "src/single.txt", "one file", 0600);
    auto tree_before = snapshot(dir / "src/tree");
    auto file_before = snapshot(dir / "src/single.txt");

    auto tree = move_item(dir / "src/tree", mount->path(), resolve);
    auto file = move_item(dir / "src/single.txt", mount->path(), resolve);
    ASSERT_TRUE(tree) << tree.error().text();
    ASSERT_TRUE(file) << file.error().text();
    EXPECT_EQ(*tree, mount->path() / "tree");
    EXPECT_EQ(snapshot(*tree), tree_before);
    EXPECT_EQ(snapshot(*file), file_before);
    EXPECT_TRUE(names_in(dir / "src").empty());
    EXPECT_EQ(names_in(mount->path()), (std::vector<std::string> { "single.txt", "tree" }));
}

TEST_F(TransferFault, CopyOutOfSpaceLeavesNothingAndReportsTheSystemText)
{
    auto* mount = mount_tmpfs("64k");
    REQUIRE_MOUNT(mount);
    fill_source_tree(200000);
    transfer_test::write_file(dir / "src/big.bin", std::string(1 << 20, 'z'));
    auto before = snapshot(dir / "src");
    struct Case {
        char const* item;
        TransferMode mode;
    };
    Case const cases[] = {
        { "big.bin", TransferMode::Copy },
        { "big.bin", TransferMode::Move },
        { "tree", TransferMode::Copy },
        { "tree", TransferMode::Move },
    };
    for (auto const& row : cases) {
        SCOPED_TRACE(std::string(row.item) + (row.mode == TransferMode::Move ? " move" : " copy"));
        auto result = transfer_item(dir / "src" / row.item, mount->path(), row.mode, resolve);
        ASSERT_FALSE(result);
        EXPECT_EQ(result.error().text(), "No space left on device");
        EXPECT_TRUE(names_in(mount->path()).empty());
        EXPECT_EQ(snapshot(dir / "src"), before);
    }
}

TEST_F(TransferFault, MoveWhoseSourceRemovalFailsPutsTheSourceBack)
{
    auto* mount = mount_tmpfs("8m");
    REQUIRE_MOUNT(mount);
    fill_source_tree();
    auto before = snapshot(dir / "src/tree");
    // An immutable file can be renamed with its folder but never unlinked.
    if (!transfer_test::set_immutable(dir / "src/tree/sub/b.bin", true))
        GTEST_SKIP() << "the file system has no immutable flag";

    auto result = move_item(dir / "src/tree", mount->path(), resolve);
    ASSERT_FALSE(result);
    auto names = names_in(dir / "src");
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[1], "tree");
    ASSERT_TRUE(names[0].starts_with(".kesu-transfer-source-"));
    auto quarantine = dir / "src" / names[0];
    transfer_test::set_immutable(quarantine / "sub/b.bin", false);

    EXPECT_EQ(result.error().text(),
        "Operation not permitted; partial source quarantine retained at " + quarantine.string()
            + ": Operation not permitted");
    EXPECT_EQ(snapshot(dir / "src/tree"), before);
    EXPECT_TRUE(names_in(mount->path()).empty());
    // The restored tree is a copy; the bytes left in the quarantine are the originals.
    EXPECT_EQ(snapshot(quarantine / "sub/b.bin"), snapshot(dir / "src/tree/sub/b.bin"));
}

TEST_F(TransferFault, MoveWhoseQuarantineIsRefusedLeavesTheSourceInPlace)
{
    auto* mount = mount_tmpfs("8m");
    REQUIRE_MOUNT(mount);
    transfer_test::write_file(dir / "src/locked.txt", "cannot be renamed");
    auto before = snapshot(dir / "src");
    if (!transfer_test::set_immutable(dir / "src/locked.txt", true))
        GTEST_SKIP() << "the file system has no immutable flag";

    auto result = move_item(dir / "src/locked.txt", mount->path(), resolve);
    transfer_test::set_immutable(dir / "src/locked.txt", false);
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().text(), "Operation not permitted");
    EXPECT_EQ(snapshot(dir / "src"), before);
    EXPECT_TRUE(names_in(mount->path()).empty());
}

TEST_F(TransferFault, FailedRestorationKeepsTheStagedCopyAndNamesIt)
{
    // The source lives on a small tmpfs: its removal stops at an immutable
    // file, and the restoration then finds no room beside those remains.
    auto* mount = mount_tmpfs("256k");
    REQUIRE_MOUNT(mount);
    auto source = mount->path() / "tree";
    transfer_test::write_file(source / "kept.bin", std::string(150000, 'k'));
    transfer_test::write_file(source / "other.txt", "other");
    auto before = snapshot(source);
    if (!transfer_test::set_immutable(source / "kept.bin", true))
        GTEST_SKIP() << "tmpfs has no immutable flag here";
    auto destination = dir.make_folder("dst");

    auto result = move_item(source, destination, resolve);
    ASSERT_FALSE(result);
    auto left = names_in(mount->path());
    ASSERT_EQ(left.size(), 1u);
    ASSERT_TRUE(left[0].starts_with(".kesu-transfer-source-"));
    auto quarantine = mount->path() / left[0];
    auto staging = names_in(destination);
    ASSERT_EQ(staging.size(), 1u);
    auto payload = destination / staging[0] / "payload";

    EXPECT_EQ(result.error().text(),
        "Operation not permitted; source restoration failed: No space left on device; staged data retained at "
            + payload.string() + "; partial source quarantine retained at " + quarantine.string()
            + ": Operation not permitted");
    EXPECT_EQ(snapshot(payload), before);
}

}
