#include "app/menus.h"
#include "i18n/translate.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

#include <cstdlib>

#include <gtest/gtest.h>

using namespace files::app;
namespace fs = std::filesystem;
using files::i18n::translate;

using test_support::ScopedEnv;

namespace {

constexpr char const* separator = "—";

std::vector<std::string> labels(std::vector<MenuEntry> const& entries)
{
    std::vector<std::string> out;
    for (auto const& entry : entries)
        out.push_back(entry.is_separator() ? separator : entry.label);
    return out;
}

// Message ids to the texts a menu shows; "—" stands for a separator.
std::vector<std::string> texts(std::vector<std::string> const& ids)
{
    std::vector<std::string> out;
    for (auto const& id : ids)
        out.push_back(id == separator ? id : translate(id));
    return out;
}

std::vector<std::string> const sort_and_terminal = { "files-menu-sort-name", "files-menu-sort-size",
    "files-menu-sort-type", "files-menu-sort-date", separator, "files-menu-open-terminal" };

std::vector<std::string> concat(std::vector<std::string> a, std::vector<std::string> const& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

files::model::Entry entry(fs::path const& path, bool is_dir = false)
{
    files::model::Entry e;
    e.name = path.filename().string();
    e.path = path.string();
    e.is_dir = is_dir;
    return e;
}

MenuEntry const* find(std::vector<MenuEntry> const& entries, std::string const& id)
{
    for (auto const& entry : entries) {
        if (entry.label == translate(id))
            return &entry;
    }
    return nullptr;
}

files::model::AvailabilityRecord availability(files::model::AvailabilityPolicy policy, bool inherited,
    files::model::ResidencyState residency, files::model::TransferPhase phase = files::model::TransferPhase::Idle)
{
    files::model::AvailabilityRecord record;
    record.policy = policy;
    record.policy_inherited = inherited;
    record.residency = residency;
    record.resident_bytes = residency == files::model::ResidencyState::NotResident ? 0 : 10;
    record.phase = phase;
    return record;
}

}

TEST(ContextMenu, EmptySpaceOfAPlainFolderWithNothingToPaste)
{
    test_support::TempDir dir;
    ExplorerState state;
    state.current_path = dir.path();
    auto menu = context_menu_entries(state, {});
    // The leading separator follows the omitted Paste.
    EXPECT_EQ(labels(menu),
        texts(concat({ separator, "files-menu-new-folder", separator, "files-menu-show-hidden", separator },
            sort_and_terminal)));
    // Every item but the separators runs a command.
    for (auto const& entry : menu)
        EXPECT_TRUE(entry.is_separator() || entry.command) << entry.label;
    EXPECT_EQ(find(menu, "files-menu-sort-size")->command->sort_key, files::model::SortKey::Size);
    EXPECT_EQ(find(menu, "files-menu-sort-date")->command->sort_key, files::model::SortKey::Modified);
}

TEST(ContextMenu, EntrySectionThenFolderSectionForOneFile)
{
    test_support::TempDir dir;
    ExplorerState state;
    state.current_path = dir.path();
    state.entries = { entry(dir / "notes.zip"), entry(dir / "b.txt") };
    state.selection.select_only(0);
    state.clipboard.items = { dir / "elsewhere.txt" };
    state.show_hidden = true;
    auto menu = context_menu_entries(state, MenuContext { { dir / "Templates" / "Letter.odt" }, false });
    EXPECT_EQ(labels(menu),
        texts(concat({ "files-menu-open", "files-menu-rename", separator, "files-menu-cut", "files-menu-copy",
                         "files-archive-extract-here", "files-archive-compress", "files-menu-properties",
                         "files-menu-paste", separator, "files-menu-new-folder", "files-menu-new-file", separator,
                         "files-menu-move-trash", separator, "files-menu-hide-hidden", separator },
            sort_and_terminal)));
    EXPECT_EQ(find(menu, "files-menu-new-file")->command->kind, MenuCommandKind::OpenNewFileMenu);

    // Two selected: no Properties, no Extract Here for plain files.
    state.selection.select_all(2);
    menu = context_menu_entries(state, {});
    EXPECT_EQ(find(menu, "files-menu-properties"), nullptr);
    EXPECT_NE(find(menu, "files-archive-extract-here"), nullptr);
}

TEST(ContextMenu, OpenHasNoCommandWithoutAPrimaryEntry)
{
    ExplorerState state;
    state.entries = { entry("/x/a"), entry("/x/b") };
    // A primary index the list no longer holds.
    state.selection.assign({ 0, 5 }, 5);
    auto const* open = find(context_menu_entries(state, {}), "files-menu-open");
    ASSERT_NE(open, nullptr);
    EXPECT_FALSE(open->command);
    state.selection.assign({ 0, 1 }, 1);
    EXPECT_EQ(find(context_menu_entries(state, {}), "files-menu-open")->command->kind, MenuCommandKind::Open);
}

TEST(ContextMenu, InsideTrashAndInsideAnArchive)
{
    test_support::TempDir dir;
    ScopedEnv data("XDG_DATA_HOME", (dir / "data").string());
    auto trash = dir.make_folder("data/Trash/files");
    ExplorerState state;
    state.current_path = trash;
    state.entries = { entry(trash / "a"), entry(trash / "b") };
    state.selection.select_all(2);
    EXPECT_EQ(labels(context_menu_entries(state, {})),
        texts({ "files-menu-open", separator, "files-menu-restore", "files-menu-delete-permanently", separator,
            "files-menu-empty-trash" }));
    EXPECT_EQ(find(context_menu_entries(state, {}), "files-menu-delete-permanently")->command->kind,
        MenuCommandKind::MoveToTrash);
    state.selection.clear();
    EXPECT_EQ(labels(context_menu_entries(state, {})), texts({ "files-menu-empty-trash" }));

    auto archive = dir.write("trip.zip", "PK\x03\x04");
    state.current_path = archive;
    state.entries = { entry(archive / "Read me.txt") };
    EXPECT_EQ(labels(context_menu_entries(state, {})), texts({ "files-archive-extract" }));
    state.selection.select_only(0);
    EXPECT_EQ(
        labels(context_menu_entries(state, {})), texts({ "files-menu-open", separator, "files-archive-extract" }));
}

TEST(ContextMenu, FavouriteItems)
{
    test_support::TempDir dir;
    ExplorerState state;
    state.current_path = dir.path();
    auto projects = dir.make_folder("Projects");
    state.entries = { entry(projects, true), entry(dir / "a.txt") };
    state.favourites = { { {}, projects, files::favorites::PlaceKind::Folder },
        { {}, dir.path(), files::favorites::PlaceKind::Folder } };

    struct Case {
        char const* name;
        std::vector<std::size_t> selected;
        char const* offered;
        fs::path for_path;
    };
    std::vector<Case> const cases = {
        // Offered for the selected folder even though it is a favourite.
        { "one folder", { 0 }, "files-menu-add-favourite", projects },
        { "one file", { 1 }, "files-menu-remove-favourite", dir.path() },
        { "nothing", {}, "files-menu-remove-favourite", dir.path() },
        { "two", { 0, 1 }, "files-menu-remove-favourite", dir.path() },
    };
    for (auto const& c : cases) {
        state.selection.clear();
        for (auto index : c.selected)
            state.selection.toggle(index);
        auto menu = context_menu_entries(state, {});
        auto const* item = find(menu, c.offered);
        ASSERT_NE(item, nullptr) << c.name;
        EXPECT_EQ(item->command->path, c.for_path) << c.name;
        EXPECT_EQ(find(menu,
                      c.offered == std::string("files-menu-add-favourite") ? "files-menu-remove-favourite"
                                                                           : "files-menu-add-favourite"),
            nullptr)
            << c.name;
    }
    // Outside the favourites, nothing is offered without a folder selected.
    state.favourites.clear();
    state.selection.clear();
    auto menu = context_menu_entries(state, {});
    EXPECT_EQ(find(menu, "files-menu-remove-favourite"), nullptr);
    EXPECT_EQ(find(menu, "files-menu-add-favourite"), nullptr);
}

TEST(ContextMenu, AvailabilityBlockFollowsTheRecords)
{
    using files::model::AvailabilityPolicy;
    using files::model::ResidencyState;
    using files::model::TransferPhase;
    auto const pinned = availability(AvailabilityPolicy::Pinned, false, ResidencyState::Resident);
    auto const by_parent = availability(AvailabilityPolicy::Pinned, true, ResidencyState::Resident);
    auto const automatic = availability(AvailabilityPolicy::Automatic, false, ResidencyState::Partial);
    auto const evicted = availability(AvailabilityPolicy::Automatic, false, ResidencyState::NotResident);
    auto const busy
        = availability(AvailabilityPolicy::Automatic, false, ResidencyState::Partial, TransferPhase::Downloading);

    struct Case {
        char const* name;
        std::vector<std::optional<files::model::AvailabilityRecord>> records;
        bool folder;
        std::vector<std::string> expected;
    };
    std::vector<Case> const cases = {
        { "pinned and unpinned", { pinned, automatic }, false,
            { "files-keep-offline", "files-use-automatic-storage", "files-free-local-space", "files-retry-download" } },
        { "pinned only", { pinned }, false, { "files-use-automatic-storage" } },
        { "pinned by parent", { by_parent }, false, { "files-pinned-by-parent" } },
        { "direct wins over parent", { by_parent, pinned }, false, { "files-use-automatic-storage" } },
        { "evicted file", { evicted }, false, { "files-keep-offline", "files-retry-download" } },
        { "downloading", { busy }, false, { "files-keep-offline" } },
        { "partial folder", { automatic }, true, { "files-keep-offline", "files-retry-download" } },
        { "no records", { std::nullopt }, false, {} },
    };
    for (auto const& c : cases) {
        std::vector<files::model::Entry> entries;
        for (std::size_t i = 0; i < c.records.size(); ++i) {
            auto e = entry("/w/f" + std::to_string(i), c.folder);
            e.availability = c.records[i];
            entries.push_back(std::move(e));
        }
        std::vector<files::model::Entry const*> selected;
        for (auto const& e : entries)
            selected.push_back(&e);
        EXPECT_EQ(labels(availability_entries(selected)), texts(c.expected)) << c.name;
    }

    // In the context menu the block follows Compress after a separator.
    ExplorerState state;
    state.entries = { entry("/w/a"), entry("/w/b") };
    state.entries[0].availability = pinned;
    state.entries[1].availability = automatic;
    state.selection.select_all(2);
    auto menu = labels(context_menu_entries(state, {}));
    auto compress = std::find(menu.begin(), menu.end(), translate("files-archive-compress"));
    ASSERT_NE(compress, menu.end());
    EXPECT_EQ(std::vector<std::string>(compress + 1, compress + 4),
        texts({ separator, "files-keep-offline", "files-use-automatic-storage" }));
}

TEST(ViewMenu, CompactAndWideToolbars)
{
    test_support::TempDir dir;
    ExplorerState state;
    state.current_path = dir.path();
    state.view_mode = ViewMode::Grid;
    std::vector<std::string> const wide = { "files-menu-new-folder", separator, "files-menu-show-hidden", separator,
        "files-menu-open-terminal", separator, "files-shortcuts-title" };
    EXPECT_EQ(labels(view_menu_entries(state, {})), texts(wide));

    auto compact = view_menu_entries(state, MenuContext { {}, true });
    EXPECT_EQ(labels(compact),
        texts(concat(
            { "files-forward", separator, "files-view-list", "files-view-grid", separator, "files-sort-by", separator },
            wide)));
    EXPECT_EQ(compact[2].check, ui::MenuCheck::Unchecked);
    EXPECT_EQ(compact[3].check, ui::MenuCheck::Checked);
    EXPECT_EQ(compact[3].command->view_mode, ViewMode::Grid);
    EXPECT_EQ(find(compact, "files-menu-show-hidden")->check, ui::MenuCheck::Unchecked);

    state.show_hidden = true;
    state.trash_undo = files::fileops::TrashUndo {};
    auto with_undo = view_menu_entries(state, MenuContext { { dir / "t.txt" }, false });
    EXPECT_EQ(labels(with_undo),
        texts({ "files-menu-new-folder", "files-menu-new-file", separator, "files-undo-move-trash", separator,
            "files-menu-show-hidden", separator, "files-menu-open-terminal", separator, "files-shortcuts-title" }));
    EXPECT_EQ(find(with_undo, "files-menu-show-hidden")->check, ui::MenuCheck::Checked);

    auto archive = dir.write("a.zip", "PK\x03\x04");
    state.current_path = archive;
    EXPECT_EQ(labels(view_menu_entries(state, {})), texts({ "files-archive-extract" }));
}

TEST(ViewMenu, InsideTrashOffersEmptyTrash)
{
    test_support::TempDir dir;
    ScopedEnv data("XDG_DATA_HOME", (dir / "data").string());
    ExplorerState state;
    state.current_path = dir.make_folder("data/Trash/files");
    EXPECT_EQ(labels(view_menu_entries(state, {})),
        texts({ "files-menu-new-folder", separator, "files-menu-show-hidden", separator, "files-menu-empty-trash",
            separator, "files-menu-open-terminal", separator, "files-shortcuts-title" }));
}

TEST(SortMenu, ChecksTheCurrentKeyAndOrder)
{
    ExplorerState state;
    state.sort_key = files::model::SortKey::Type;
    state.sort_descending = true;
    auto menu = sort_menu_entries(state);
    EXPECT_EQ(labels(menu),
        texts({ "files-sort-name", "files-sort-size", "files-sort-type", "files-sort-date", separator,
            "files-sort-ascending", "files-sort-descending" }));
    std::vector<ui::MenuCheck> checks;
    for (auto const& entry : menu)
        checks.push_back(entry.check);
    using enum ui::MenuCheck;
    EXPECT_EQ(checks, (std::vector { Unchecked, Unchecked, Checked, Unchecked, None, Unchecked, Checked }));
    EXPECT_EQ(menu[3].command->sort_key, files::model::SortKey::Modified);
    EXPECT_FALSE(menu[5].command->descending);
}

TEST(TemplatesMenu, OneItemPerTemplateNamedByItsStem)
{
    auto menu = templates_menu_entries({ "/t/Letter.odt", "/t/.hidden-looking", "/t/Makefile" });
    ASSERT_EQ(menu.size(), 3u);
    EXPECT_EQ(menu[0].label, files::i18n::translate_with("files-new-from-template", { { "name", "Letter" } }));
    EXPECT_EQ(menu[2].label, files::i18n::translate_with("files-new-from-template", { { "name", "Makefile" } }));
    EXPECT_EQ(menu[0].command->kind, MenuCommandKind::NewFromTemplate);
    EXPECT_EQ(menu[2].command->path, fs::path("/t/Makefile"));
}
