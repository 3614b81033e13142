#include "app/file_explorer_widget.h"
#include "app/navigation.h"
#include "app/zoom_file.h"
#include "support/temp_dir.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

using files::app::ExplorerState;
using files::app::LoadHooks;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> strings(std::vector<fs::path> const& paths)
{
    std::vector<std::string> out;
    for (auto const& p : paths)
        out.push_back(p.string());
    return out;
}

struct Tree {
    test_support::TempDir dir;
    fs::path a = dir.make_folder("a");
    fs::path b = dir.make_folder("b");
    fs::path c = dir.make_folder("c");
    fs::path d = dir.make_folder("d");
};

}

TEST(Navigation, HistoryFollowsBackAndForward)
{
    Tree t;
    LoadHooks hooks;
    ExplorerState s;
    s.current_path = t.a;

    files::app::navigate(s, t.b, hooks);
    files::app::navigate(s, t.c, hooks);
    files::app::go_back(s, hooks);
    files::app::go_back(s, hooks);
    EXPECT_EQ(s.current_path, t.a);
    EXPECT_EQ(strings(s.forward_list), strings({ t.c, t.b }));
    EXPECT_TRUE(s.back_list.empty());
    files::app::go_forward(s, hooks);
    EXPECT_EQ(s.current_path, t.b);

    // A new navigation empties the forward list.
    files::app::navigate(s, t.d, hooks);
    EXPECT_TRUE(s.forward_list.empty());
    EXPECT_EQ(strings(s.back_list), strings({ t.a, t.b }));

    // Back and forward with empty lists do nothing.
    ExplorerState fresh;
    fresh.current_path = t.a;
    files::app::go_back(fresh, hooks);
    files::app::go_forward(fresh, hooks);
    EXPECT_EQ(fresh.current_path, t.a);
    EXPECT_EQ(fresh.load_generation, 0u);
}

TEST(Navigation, CurrentPathOnlyReloadsAndClearsSelection)
{
    Tree t;
    t.dir.write("a/one", "1");
    t.dir.write("a/two", "2");
    LoadHooks hooks;
    ExplorerState s;
    files::app::load(s, t.a, hooks);
    s.selection.select_only(1);
    files::app::set_notice(s, "done");

    files::app::navigate(s, t.a.string() + "/", hooks);
    EXPECT_TRUE(s.back_list.empty());
    EXPECT_TRUE(s.selection.empty());
    EXPECT_FALSE(s.notice);
    EXPECT_EQ(s.entries.size(), 2u);
    EXPECT_EQ(s.load_generation, 2u);
}

TEST(Navigation, UpStopsAtRoot)
{
    LoadHooks hooks;
    ExplorerState s;
    s.current_path = "/";
    files::app::go_up(s, hooks);
    EXPECT_EQ(s.current_path, "/");
    EXPECT_TRUE(s.back_list.empty());

    test_support::TempDir dir;
    s.current_path = dir.make_folder("x") / "";
    files::app::go_up(s, hooks);
    EXPECT_EQ(s.current_path, dir.path());
    ASSERT_EQ(s.back_list.size(), 1u);
}

TEST(Navigation, FailedLoadKeepsPathForRetryAndRereadIgnoresFailure)
{
    test_support::TempDir dir;
    dir.write("shown/file", "x");
    LoadHooks hooks;
    ExplorerState s;
    files::app::load(s, dir / "shown", hooks);
    ASSERT_EQ(s.entries.size(), 1u);

    // The folder disappears: the re-read fails silently, the listing stays.
    fs::remove_all(dir / "shown");
    EXPECT_FALSE(files::app::reread(s));
    EXPECT_EQ(s.entries.size(), 1u);
    EXPECT_FALSE(s.load_error);

    files::app::reload(s, hooks);
    EXPECT_TRUE(s.entries.empty());
    ASSERT_TRUE(s.load_error);
    EXPECT_NE(s.load_error->find("No such file or directory"), std::string::npos) << *s.load_error;
    EXPECT_EQ(s.current_path, dir / "shown");
}

TEST(Navigation, RereadKeepsSelectionByIdentityAndIgnoresNoChange)
{
    test_support::TempDir dir;
    dir.write("b.txt", "b");
    dir.write("d.txt", "d");
    LoadHooks hooks;
    ExplorerState s;
    files::app::load(s, dir.path(), hooks);
    s.selection.select_only(1); // d.txt
    s.redraw = false;

    EXPECT_FALSE(files::app::reread(s));
    EXPECT_FALSE(s.redraw);

    dir.write("a.txt", "a");
    EXPECT_TRUE(files::app::reread(s));
    ASSERT_EQ(s.entries.size(), 3u);
    EXPECT_EQ(s.selection.selected(), (std::vector<std::size_t> { 2 }));
    EXPECT_EQ(s.selection.primary(), 2u);

    // A plain file renamed outside loses its selection.
    fs::rename(dir / "d.txt", dir / "e.txt");
    EXPECT_TRUE(files::app::reread(s));
    EXPECT_TRUE(s.selection.empty());
}

TEST(Navigation, SortKeepsSelectedItemsAndHiddenToggleReloads)
{
    test_support::TempDir dir;
    dir.write("a", "1");
    dir.write("b", "22");
    dir.write(".hidden", "");
    LoadHooks hooks;
    ExplorerState s;
    files::app::load(s, dir.path(), hooks);
    ASSERT_EQ(s.entries.size(), 2u);
    s.selection.select_only(0); // a

    files::app::set_sort_descending(s, true);
    EXPECT_EQ(s.entries[0].name, "b");
    EXPECT_EQ(s.selection.selected(), (std::vector<std::size_t> { 1 }));

    files::app::toggle_hidden(s, hooks);
    EXPECT_EQ(s.entries.size(), 3u);
    EXPECT_TRUE(s.selection.empty());
}

TEST(Notice, CutsAt512CharactersOnACharacterBoundary)
{
    struct Case {
        char const* name;
        std::string text;
        std::size_t expected_bytes;
    };
    std::string umlauts;
    for (int i = 0; i < 600; ++i)
        umlauts += "\xc3\xa4"; // ä, two bytes each
    Case const cases[] = {
        { "short text unchanged", "Moved 2 items", 13 },
        { "512 ASCII unchanged", std::string(512, 'x'), 512 },
        { "513 ASCII cut", std::string(513, 'x'), 512 },
        { "two-byte characters cut at 512 characters", umlauts, 1024 },
        { "a multi-byte character straddling the limit stays whole", std::string(511, 'x') + "\xe2\x80\xa6" + "y",
            514 },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(files::app::cut_notice(c.text).size(), c.expected_bytes);
    }
}

TEST(ZoomFile, ParsesClampsAndWrites)
{
    struct Case {
        char const* text;
        int level;
    };
    Case const cases[] = { { "7", 6 }, { "-3", -2 }, { "abc", 0 }, { " 4\n", 4 }, { "+2", 2 }, { "", 0 },
        { "99999999999", 0 }, { "1 2", 0 }, { "-", 0 },
        { "\xe2\x88\x92"
          "1",
            0 } };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(files::app::parse_zoom_level(c.text), c.level);
    }

    test_support::TempDir dir;
    EXPECT_EQ(files::app::read_zoom_level(std::nullopt), 0);
    EXPECT_EQ(files::app::read_zoom_level(dir / "config"), 0);
    ExplorerState s;
    s.config_folder = dir / "config";
    files::app::set_zoom(s, 9);
    EXPECT_EQ(s.zoom_level, 6);
    EXPECT_EQ(test_support::read_file(dir / "config" / "zoom"), "6");
    EXPECT_EQ(files::app::read_zoom_level(dir / "config"), 6);
}

TEST(Snapshot, ReadyOnlyAfterLayoutWithoutLoadOrError)
{
    test_support::TempDir dir;
    dir.write("one", "1");
    files::app::ExplorerEnvironment env;
    env.start_location = dir.path();
    env.config_folder = dir / "config";
    files::app::FileExplorerWidget explorer(env);

    auto snapshot = nlohmann::json::parse(*explorer.observer_snapshot());
    EXPECT_FALSE(snapshot["ready"]);
    EXPECT_EQ(snapshot["entry_count"], 1);
    EXPECT_EQ(snapshot["viewport_rect"], nullptr);

    explorer.apply_layout({ 0, 0, 800, 600 });
    explorer.mutable_state().viewport_rect = ui::Rect { 200, 48, 800, 600 };
    explorer.mutable_state().content_rect = ui::Rect { 200, 48, 800, 900 };
    snapshot = nlohmann::json::parse(*explorer.observer_snapshot());
    EXPECT_TRUE(snapshot["ready"]);

    explorer.mutable_state().loading = true;
    EXPECT_FALSE(nlohmann::json::parse(*explorer.observer_snapshot())["ready"]);
    explorer.mutable_state().loading = false;

    explorer.navigate(dir / "missing");
    snapshot = nlohmann::json::parse(*explorer.observer_snapshot());
    EXPECT_TRUE(snapshot["has_error"]);
    EXPECT_FALSE(snapshot["ready"]);
}

TEST(Refresh, EachRefreshPollsTheWorkspaceRootsRecordIndexes)
{
    test_support::TempDir dir;
    auto root = dir.make_folder("workspace");
    files::app::ExplorerEnvironment environment;
    environment.start_location = root;
    environment.workspace_roots = { root };
    environment.live = false;
    files::app::FileExplorerWidget explorer(environment);
    EXPECT_EQ(explorer.state().record_index.status(), "");
    explorer.sync(ui::FrameContext { explorer.state().next_refresh_at });
    EXPECT_EQ(explorer.state().record_index.status(), "watching");
}
