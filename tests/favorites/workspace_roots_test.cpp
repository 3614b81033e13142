#include "favorites/workspace_roots.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace {

using files::favorites::Label;
using files::favorites::WorkspaceLocations;
using std::filesystem::path;
using test_support::ScopedEnv;
using Roots = std::vector<path>;

class WorkspaceRoots : public testing::Test {
protected:
    // Fixed locations inside the temporary tree; they exist only when a test
    // creates them.
    WorkspaceLocations locations() const { return { m_temp / "var-workspace", m_temp / "workspace" }; }

    test_support::TempDir m_temp;
    path m_home { m_temp.make_folder("home") };
};

TEST_F(WorkspaceRoots, VariableListsExistingElementsInOrder)
{
    auto a = m_temp.make_folder("srv/a");
    auto b = m_temp.make_folder("srv/b");
    m_temp.make_folder("var-workspace");
    m_temp.make_folder("home/Shared");
    ScopedEnv roots("KESU_WORKSPACE_ROOTS", a.string() + "::" + (m_temp / "missing").string() + ":" + b.string());

    EXPECT_EQ(files::favorites::workspace_roots(m_home, locations()), (Roots { a, b }));
    EXPECT_EQ(files::favorites::workspace_roots_without_home_default(locations()), (Roots { a, b }));
}

TEST_F(WorkspaceRoots, EmptyVariableGivesNoRootsAndStartsAtHome)
{
    m_temp.make_folder("var-workspace");
    m_temp.make_folder("workspace");
    m_temp.make_folder("home/Shared");
    ScopedEnv roots("KESU_WORKSPACE_ROOTS", "");

    auto found = files::favorites::workspace_roots(m_home, locations());
    EXPECT_EQ(found, Roots {});
    EXPECT_EQ(files::favorites::workspace_roots_without_home_default(locations()), Roots {});
    EXPECT_EQ(files::favorites::start_location(found, m_home, locations()), m_home);
}

TEST_F(WorkspaceRoots, RelativeElementIsTakenFromTheWorkingDirectory)
{
    auto a = m_temp.make_folder("srv/a");
    auto previous = std::filesystem::current_path();
    std::filesystem::current_path(m_temp / "srv");
    ScopedEnv roots("KESU_WORKSPACE_ROOTS", "a");
    auto found = files::favorites::workspace_roots(m_home, locations());
    std::filesystem::current_path(previous);

    EXPECT_EQ(found, Roots { a });
}

TEST_F(WorkspaceRoots, DefaultsWithoutTheVariable)
{
    ScopedEnv roots("KESU_WORKSPACE_ROOTS", std::nullopt);
    EXPECT_EQ(files::favorites::workspace_roots(m_home, locations()), Roots {});

    auto shared = m_temp.make_folder("home/Shared");
    EXPECT_EQ(files::favorites::workspace_roots(m_home, locations()), Roots { shared });
    EXPECT_EQ(files::favorites::workspace_roots(std::nullopt, locations()), Roots {});
    EXPECT_EQ(files::favorites::workspace_roots_without_home_default(locations()), Roots {});

    auto system = m_temp.make_folder("var-workspace");
    EXPECT_EQ(files::favorites::workspace_roots(m_home, locations()), (Roots { system, shared }));
    EXPECT_EQ(files::favorites::workspace_roots_without_home_default(locations()), Roots { system });
}

TEST_F(WorkspaceRoots, SharedFolderThatIsTheSystemRootIsListedOnce)
{
    ScopedEnv roots("KESU_WORKSPACE_ROOTS", std::nullopt);
    m_temp.make_folder("home/Shared");
    WorkspaceLocations same { m_home / "Shared/", m_temp / "workspace" };

    EXPECT_EQ(files::favorites::workspace_roots(m_home, same), Roots { m_home / "Shared/" });
}

TEST_F(WorkspaceRoots, StartLocationFallsThroughInOrder)
{
    auto root = m_temp.make_folder("srv/a");
    {
        ScopedEnv roots("KESU_WORKSPACE_ROOTS", std::nullopt);
        EXPECT_EQ(files::favorites::start_location({ root }, m_home, locations()), root);
        EXPECT_EQ(files::favorites::start_location({}, m_home, locations()), m_home);
        auto workspace = m_temp.make_folder("workspace");
        EXPECT_EQ(files::favorites::start_location({}, m_home, locations()), workspace);
    }
    ScopedEnv roots("KESU_WORKSPACE_ROOTS", "/nowhere");
    EXPECT_EQ(files::favorites::start_location({}, std::nullopt, locations()), std::filesystem::current_path());
}

TEST(RootContaining, FirstRootThatHoldsThePathComponentWise)
{
    Roots const roots { "/srv/a", "/srv", "/data/" };
    struct Case {
        path query;
        std::optional<path> expected;
    };
    Case const cases[] = {
        { "/srv/a", path("/srv/a") },
        { "/srv/a/", path("/srv/a") },
        { "/srv/a/x/y", path("/srv/a") },
        { "/srv/ab", path("/srv") },
        { "/srv", path("/srv") },
        { "/data", path("/data/") },
        { "/dat", std::nullopt },
        { "/", std::nullopt },
    };
    for (auto const& row : cases) {
        SCOPED_TRACE(row.query.string());
        EXPECT_EQ(files::favorites::root_containing(row.query, roots), row.expected);
    }
    EXPECT_EQ(files::favorites::root_containing("/srv/a", {}), std::nullopt);
}

TEST(RootLabel, FolderNameOrWorkspace)
{
    EXPECT_EQ(files::favorites::root_label("/srv/Team Files"), Label::literal("Team Files"));
    EXPECT_EQ(files::favorites::root_label("/srv/a/"), Label::literal("a"));
    EXPECT_EQ(files::favorites::root_label("/srv/caf\xE9"), Label::literal("caf\xEF\xBF\xBD"));
    EXPECT_EQ(files::favorites::root_label("/"), Label::message("files-place-workspace"));
}

}
