#include "favorites/favourites_file.h"
#include "support/temp_dir.h"

#include <cstring>

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using namespace files::favorites;
using std::filesystem::path;

std::vector<path> paths_of(std::vector<Favourite> const& favourites)
{
    std::vector<path> out;
    for (auto const& favourite : favourites)
        out.push_back(favourite.path);
    return out;
}

class FavouritesFile : public testing::Test {
protected:
    PlaceContext context() const { return { m_home, services::UserDirs::parse("", m_home) }; }
    std::vector<path> defaults() const { return paths_of(default_favourites(context())); }

    test_support::TempDir m_temp;
    path m_home { m_temp.make_folder("home") };
    path m_config { m_temp / "config/kesu-files" };
};

TEST_F(FavouritesFile, LoadTrimsLinesSkipsBlanksAndKeepsOrder)
{
    m_temp.make_folder("home/Documents");
    m_temp.write("config/kesu-files/favorites",
        "  /srv/b  \n\n\t/srv/a\r\n   \n~/notes\n" + m_home.string() + "/Documents\n/gone/for/good");

    auto loaded = load_favourites(m_config, context());
    EXPECT_EQ(paths_of(loaded),
        (std::vector<path> { "/srv/b", "/srv/a", "~/notes", m_home / "Documents", "/gone/for/good" }));
    ASSERT_EQ(loaded.size(), 5u);
    EXPECT_EQ(loaded[0].label, Label::literal("b"));
    EXPECT_EQ(loaded[3].label, Label::message("files-place-documents"));
    EXPECT_EQ(loaded[3].kind, PlaceKind::Documents);
}

TEST_F(FavouritesFile, DefaultsWhenNothingUsableIsRead)
{
    m_temp.make_folder("home/Downloads");
    ASSERT_EQ(defaults(), (std::vector<path> { m_home, m_home / "Downloads" }));
    struct Case {
        char const* name;
        std::optional<std::string> content; // nullopt: no file at all
    };
    Case const cases[] = {
        { "missing file", std::nullopt },
        { "empty file", "" },
        { "only blank lines", "\n  \n\t\n" },
        { "too large", std::string(max_favourites_file_size + 1, '/') },
    };
    for (auto const& row : cases) {
        SCOPED_TRACE(row.name);
        std::filesystem::remove_all(m_temp / "config");
        if (row.content)
            m_temp.write("config/kesu-files/favorites", *row.content);
        EXPECT_EQ(paths_of(load_favourites(m_config, context())), defaults());
    }
    std::filesystem::remove_all(m_temp / "config");
    m_temp.make_folder("config/kesu-files/favorites");
    EXPECT_EQ(paths_of(load_favourites(m_config, context())), defaults());
    EXPECT_EQ(paths_of(load_favourites(std::nullopt, context())), defaults());
}

TEST_F(FavouritesFile, SaveCreatesTheFolderAndWritesOnePathPerLine)
{
    std::vector<Favourite> list {
        make_favourite("/srv/b", context()),
        make_favourite(m_home, context()),
        make_favourite("/srv/caf\xE9", context()),
    };
    ASSERT_TRUE(save_favourites(m_config, list).has_value());

    EXPECT_EQ(test_support::read_file(m_config / "favorites"), "/srv/b\n" + m_home.string() + "\n/srv/caf\xEF\xBF\xBD");
    EXPECT_EQ(m_temp.listing(),
        (std::vector<std::string> { "config", "config/kesu-files", "config/kesu-files/favorites", "home" }));
    list.pop_back();
    EXPECT_EQ(load_favourites(m_config, context()).front(), list.front());
}

TEST_F(FavouritesFile, SaveReplacesTheFileAndKeepsItsPermissions)
{
    auto file = m_temp.write("config/kesu-files/favorites", "/old\n/older");
    std::filesystem::permissions(file, std::filesystem::perms(0640));
    ASSERT_TRUE(save_favourites(m_config, { make_favourite("/new", context()) }).has_value());

    EXPECT_EQ(test_support::read_file(file), "/new");
    EXPECT_EQ(std::filesystem::status(file).permissions(), std::filesystem::perms(0640));
    EXPECT_EQ(m_temp.listing().size(), 4u) << "a temporary file was left beside the list";
}

TEST_F(FavouritesFile, PathWithLineFeedIsLeftOutOfTheFile)
{
    std::vector<Favourite> list {
        make_favourite("/srv/a", context()),
        make_favourite("/srv/two\nlines", context()),
        make_favourite("/srv/b", context()),
    };
    EXPECT_EQ(favourites_file_text(list), "/srv/a\n/srv/b");
    EXPECT_EQ(favourites_file_text({}), "");
}

TEST_F(FavouritesFile, SaveFailuresReportTheErrorAndLeaveNothingBehind)
{
    std::vector<Favourite> const list { make_favourite("/srv/a", context()) };

    auto no_folder = save_favourites(std::nullopt, list);
    ASSERT_FALSE(no_folder.has_value());
    EXPECT_EQ(no_folder.error().text(), "no configuration folder");

    m_temp.write("blocker", "a file where the folder should be");
    auto not_a_folder = save_favourites(m_temp / "blocker/kesu-files", list);
    ASSERT_FALSE(not_a_folder.has_value());
    EXPECT_TRUE(not_a_folder.error().is_errno(ENOTDIR)) << not_a_folder.error().text();

    // The rename cannot replace a folder; the temporary file must go again.
    m_temp.make_folder("config/kesu-files/favorites/inside");
    auto over_folder = save_favourites(m_config, list);
    ASSERT_FALSE(over_folder.has_value());
    EXPECT_TRUE(over_folder.error().is_errno(EISDIR)) << over_folder.error().text();
    EXPECT_EQ(over_folder.error().text(), std::strerror(EISDIR));
    EXPECT_EQ(m_temp.listing(),
        (std::vector<std::string> { "blocker", "config", "config/kesu-files", "config/kesu-files/favorites",
            "config/kesu-files/favorites/inside", "home" }));
}

}
