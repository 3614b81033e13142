// The scene renderer in this process: where each scene opens, the state it
// arranges, reproducible pictures, and the failures that must leave nothing
// behind.

#include "app/file_explorer_widget.h"
#include "favorites/places.h"
#include "i18n/translate.h"
#include "main/launch_spec.h"
#include "scenes/demo_home.h"
#include "scenes/scene_renderer.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "ui/context_menu.h"

#include <csignal>
#include <cstdlib>
#include <fstream>

#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

namespace scenes = files::scenes;

ui::LaunchArgs launch(std::vector<std::string> const& words)
{
    ui::LaunchSpec spec;
    spec.value_options = { "--size", "--path" };
    spec.flag_options = { "--open-share-stdin" };
    spec.scene_names.assign(files::entry::scene_names.begin(), files::entry::scene_names.end());
    auto args = ui::parse_command_line(spec, words);
    EXPECT_TRUE(args) << (args ? "" : args.error().text());
    return args ? *args : ui::LaunchArgs {};
}

using test_support::ScopedEnv;

// Scenes render in a home and a temporary folder of the test's own.
class SceneRendererTest : public testing::Test {
protected:
    SceneRendererTest()
        : m_tmp("TMPDIR", (m_dir / "tmp").string())
        , m_home("HOME", (m_dir / "home").string())
        , m_config("XDG_CONFIG_HOME", std::nullopt)
        , m_data("XDG_DATA_HOME", (m_dir / "data").string())
        , m_roots("KESU_WORKSPACE_ROOTS", std::nullopt)
        , m_templates("XDG_TEMPLATES_DIR", std::nullopt)
    {
        std::filesystem::create_directories(m_dir / "tmp");
        scenes::build_demo_home(m_dir / "home");
    }

    std::filesystem::path temp() const { return m_dir / "tmp"; }
    std::filesystem::path home() const { return m_dir / "home"; }
    std::filesystem::path output(std::string const& name) const { return m_dir / "out" / name; }

    scenes::ArrangedScene arrange(std::vector<std::string> const& words)
    {
        auto arranged = scenes::arrange_scene(launch(words));
        EXPECT_TRUE(arranged) << (arranged ? "" : arranged.error().text());
        return arranged ? std::move(*arranged) : scenes::ArrangedScene {};
    }

    std::string picture(std::string const& scene, std::string const& size = "800x600")
    {
        auto path = output(scene + "-" + size + ".png");
        auto published = scenes::publish_scene(launch({ scene, path.string(), "--size", size }));
        EXPECT_TRUE(published) << (published ? "" : published.error().text());
        return published ? test_support::read_file(path) : std::string();
    }

    test_support::TempDir m_dir;
    ScopedEnv m_tmp;
    ScopedEnv m_home;
    ScopedEnv m_config;
    ScopedEnv m_data;
    ScopedEnv m_roots;
    ScopedEnv m_templates;
};

TEST_F(SceneRendererTest, SyncTwiceGivesTheSameBytes)
{
    auto first = picture("sync");
    auto second = picture("sync");
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first, second);
}

TEST_F(SceneRendererTest, SyncOpensItsFixtureAsTheOnlyRootWhateverThePath)
{
    auto arranged = arrange({ "sync", output("sync.png").string(), "--path", home().string() });
    ASSERT_TRUE(arranged.root);
    auto const& state = arranged.root->state();
    auto fixture = temp() / "kesu-files-sync-demo";
    EXPECT_EQ(state.current_path, fixture);
    EXPECT_EQ(state.workspace_roots, std::vector<std::filesystem::path> { fixture });
    ASSERT_EQ(state.entries.size(), 7u);
    std::size_t with_state
        = std::ranges::count_if(state.entries, [](auto const& entry) { return entry.sync.has_value(); });
    EXPECT_EQ(with_state, 6u);
    // The variable was set only while the explorer was built.
    EXPECT_EQ(std::getenv("KESU_WORKSPACE_ROOTS"), nullptr);
}

TEST_F(SceneRendererTest, GridWithPathShowsThatFolderAsTiles)
{
    auto folder = home() / "Templates";
    auto arranged = arrange({ "grid", output("grid.png").string(), "--path", folder.string() });
    ASSERT_TRUE(arranged.root);
    EXPECT_EQ(arranged.root->state().current_path, folder);
    EXPECT_EQ(arranged.root->state().view_mode, files::app::ViewMode::Grid);
    EXPECT_EQ(arranged.root->state().entries.size(), 4u);
}

TEST_F(SceneRendererTest, ScenesWithoutPathOpenTheStartLocation)
{
    auto arranged = arrange({ "status", output("status.png").string() });
    ASSERT_TRUE(arranged.root);
    EXPECT_EQ(arranged.root->state().current_path, home());
    EXPECT_EQ(arranged.root->state().view_mode, files::app::ViewMode::List);
}

TEST_F(SceneRendererTest, ArrangesTheStateOfEachScene)
{
    {
        SCOPED_TRACE("rename");
        auto arranged = arrange({ "rename", output("rename.png").string() });
        auto const& state = arranged.root->state();
        EXPECT_TRUE(state.inline_rename_open);
        ASSERT_TRUE(state.rename_target);
        EXPECT_EQ(*state.rename_target, state.entries.at(3).path);
    }
    {
        SCOPED_TRACE("select");
        auto arranged = arrange({ "select", output("select.png").string() });
        EXPECT_EQ(arranged.root->state().selection.selected(), (std::vector<std::size_t> { 7, 8 }));
        EXPECT_EQ(arranged.root->state().last_cursor, (ui::Point { 0.35 * 1200, 560 }));
    }
    {
        SCOPED_TRACE("error");
        auto arranged = arrange({ "error", output("error.png").string() });
        auto const& state = arranged.root->state();
        EXPECT_TRUE(state.entries.empty());
        EXPECT_EQ(state.load_error,
            files::i18n::translate_with("files-directory-read-failed", { { "error", "Permission denied" } }));
    }
    {
        SCOPED_TRACE("loading");
        auto arranged = arrange({ "loading", output("loading.png").string() });
        auto const& state = arranged.root->state();
        EXPECT_TRUE(state.loading);
        EXPECT_TRUE(state.entries.empty());
        EXPECT_FALSE(state.load_error);
        EXPECT_FALSE(state.notice);
    }
    {
        SCOPED_TRACE("pindrag");
        auto arranged = arrange({ "pindrag", output("pindrag.png").string() });
        auto const& state = arranged.root->state();
        EXPECT_TRUE(state.drag_under_way);
        EXPECT_EQ(state.dragged_paths, std::vector<std::filesystem::path> { home() / "Development" });
        EXPECT_EQ(state.last_cursor, (ui::Point { 150, 300 }));
    }
    {
        SCOPED_TRACE("archive");
        auto arranged = arrange({ "archive", output("archive.png").string() });
        auto const& state = arranged.root->state();
        EXPECT_EQ(state.current_path, temp() / "kesu-files-archive-demo.zip");
        EXPECT_EQ(state.entries.size(), 3u);
        EXPECT_EQ(state.notice, files::i18n::translate("files-archive-read-only"));
    }
}

TEST_F(SceneRendererTest, DropmoveHoldsTheFirstFileOverTheFirstPlace)
{
    auto arranged = arrange({ "dropmove", output("dropmove.png").string() });
    auto const& state = arranged.root->state();
    EXPECT_TRUE(state.drag_under_way);
    EXPECT_EQ(state.dragged_paths, std::vector<std::filesystem::path> { home() / "Annual report 2024.pdf" });
    auto places = files::favorites::sidebar_places(state.favourites, state.system_places);
    ASSERT_FALSE(places.empty());
    EXPECT_EQ(state.drop_target, places.front().path);

    auto folders_only = home() / "Templates" / "folders";
    std::filesystem::create_directories(folders_only / "a");
    std::filesystem::create_directories(folders_only / "b");
    auto without = arrange({ "dropmove", output("dropmove.png").string(), "--path", folders_only.string() });
    EXPECT_FALSE(without.root->state().drag_under_way);
    EXPECT_TRUE(without.root->state().dragged_paths.empty());
}

TEST_F(SceneRendererTest, ReorderNeedsFiveFavourites)
{
    // Six favourites here (home and five user folders): the drag shows.
    EXPECT_NE(picture("reorder"), picture("places"));
    // Home, Documents and Downloads only: the sidebar as it is.
    for (auto const* folder : { "Music", "Pictures", "Videos" })
        std::filesystem::remove_all(home() / folder);
    EXPECT_EQ(picture("reorder"), picture("places"));
}

TEST_F(SceneRendererTest, MenuScenesOpenTheirMenus)
{
    {
        SCOPED_TRACE("context-menu");
        auto arranged = arrange({ "context-menu", output("context.png").string(), "--size", "1000x700" });
        auto const* menu = arranged.root->open_menu();
        ASSERT_NE(menu, nullptr);
        ASSERT_EQ(menu->level_count(), 2u);
        EXPECT_EQ(menu->level_rect(1).left, menu->level_rect(0).right - 6);
        EXPECT_EQ(menu->level_rect(1).top, 0.34 * 700 + 66);
        EXPECT_EQ(menu->items(1).size(), 4u);
    }
    {
        SCOPED_TRACE("undo-trash");
        auto arranged = arrange({ "undo-trash", output("undo.png").string() });
        auto const* menu = arranged.root->open_menu();
        ASSERT_NE(menu, nullptr);
        auto undo = files::i18n::translate("files-undo-move-trash");
        EXPECT_TRUE(std::ranges::any_of(menu->items(0), [&](auto const& item) { return item.label == undo; }));
        auto const& pending = arranged.root->state().trash_undo;
        ASSERT_TRUE(pending);
        EXPECT_EQ(pending->paths, std::vector<std::filesystem::path> { "/shot-only-trash-entry" });
    }
    {
        SCOPED_TRACE("menu");
        auto arranged = arrange({ "menu", output("menu.png").string() });
        auto const* menu = arranged.root->open_menu();
        ASSERT_NE(menu, nullptr);
        auto undo = files::i18n::translate("files-undo-move-trash");
        EXPECT_FALSE(std::ranges::any_of(menu->items(0), [&](auto const& item) { return item.label == undo; }));
    }
    {
        SCOPED_TRACE("archive-menu");
        auto arranged = arrange({ "archive-menu", output("archive-menu.png").string() });
        auto const* menu = arranged.root->open_menu();
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->items(0).size(), 1u);
    }
}

TEST_F(SceneRendererTest, PrintsOneLineNamingTheOutput)
{
    auto path = output("status.png");
    testing::internal::CaptureStdout();
    auto rendered = scenes::render_scene(launch({ "status", path.string(), "--size", "640x480" }));
    auto printed = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(rendered) << rendered.error().text();
    EXPECT_EQ(printed, "file-explorer: wrote shot to " + path.string() + "\n");
}

TEST_F(SceneRendererTest, FailedPublishLeavesTheOldPictureAndPrintsNothing)
{
    auto path = output("status.png");
    std::filesystem::create_directories(path.parent_path());
    std::string const old = "an older picture";
    {
        std::ofstream(path) << old;
    }

    // Files may grow to 4 KiB only, so the new picture cannot be written.
    rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto previous_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    testing::internal::CaptureStdout();
    auto rendered = scenes::render_scene(launch({ "status", path.string() }));
    auto printed = testing::internal::GetCapturedStdout();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous_handler);

    ASSERT_FALSE(rendered);
    EXPECT_TRUE(rendered.error().text().starts_with("atomically publish png: cannot write " + path.string() + ": "))
        << rendered.error().text();
    EXPECT_EQ(printed, "");
    EXPECT_EQ(test_support::read_file(path), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(path.parent_path()), {}), 1);
}

TEST_F(SceneRendererTest, RefusedScenesFailBeforeDoingAnything)
{
    struct Case {
        std::vector<std::string> words;
        std::string error;
    };
    std::vector<Case> const cases {
        { {}, "no output path for the scene" },
        { { "history", output("h.png").string() },
            "history: scene not available yet: the explorer has no version history in this build" },
        { { "remote-account", output("r.png").string() },
            "remote-account: scene not available yet: the explorer has no remote accounts in this build" },
        { { "sync", output("s.png").string(), "--size", "0x600" },
            "cannot render a scene at 0x600: each side must be 1 to 16384 pixels" },
        { { "archive", output("a.png").string(), "--size", "20000x600" },
            "cannot render a scene at 20000x600: each side must be 1 to 16384 pixels" },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.error);
        testing::internal::CaptureStdout();
        auto rendered = scenes::render_scene(launch(c.words));
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
        ASSERT_FALSE(rendered);
        EXPECT_EQ(rendered.error().text(), c.error);
        EXPECT_TRUE(std::filesystem::is_empty(temp()));
        EXPECT_FALSE(std::filesystem::exists(m_dir / "out"));
    }
}

}
