#include "favorites/favourites.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

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

class Favourites : public testing::Test {
protected:
    PlaceContext context() const
    {
        auto dirs = services::UserDirs::parse("XDG_MUSIC_DIR=\"$HOME/Tunes\"\n", m_home);
        return { m_home, dirs };
    }

    test_support::TempDir m_temp;
    path m_home { m_temp.make_folder("home") };
};

TEST_F(Favourites, LabelsAndKinds)
{
    struct Case {
        path path_value;
        Label label;
        PlaceKind kind;
    };
    Case const cases[] = {
        { m_home, Label::message("files-place-home"), PlaceKind::Home },
        { m_home / "", Label::message("files-place-home"), PlaceKind::Home },
        { m_home / "Tunes", Label::message("files-place-music"), PlaceKind::Music },
        { m_home / "Documents/", Label::message("files-place-documents"), PlaceKind::Documents },
        { m_home / "Music", Label::literal("Music"), PlaceKind::Folder },
        { "/srv/Projects/", Label::literal("Projects"), PlaceKind::Folder },
        { "/srv/caf\xE9", Label::literal("caf\xEF\xBF\xBD"), PlaceKind::Folder },
        { "/", Label::literal("/"), PlaceKind::Folder },
    };
    auto places = context();
    for (auto const& row : cases) {
        SCOPED_TRACE(row.path_value.string());
        EXPECT_EQ(favourite_label(row.path_value, places), row.label);
        EXPECT_EQ(favourite_kind(row.path_value, places), row.kind);
    }
}

TEST_F(Favourites, DefaultsAreHomeThenExistingContentFoldersInServiceOrder)
{
    m_temp.make_folder("home/Videos");
    m_temp.make_folder("home/Tunes");
    m_temp.make_folder("home/Music"); // not the configured music folder

    std::vector<Favourite> expected {
        { Label::message("files-place-home"), m_home, PlaceKind::Home },
        { Label::message("files-place-music"), m_home / "Tunes", PlaceKind::Music },
        { Label::message("files-place-videos"), m_home / "Videos", PlaceKind::Videos },
    };
    EXPECT_EQ(default_favourites(context()), expected);
    EXPECT_TRUE(default_favourites({}).empty());
}

TEST_F(Favourites, AddAppendsOnlyNewPaths)
{
    std::vector<Favourite> list;
    auto places = context();
    EXPECT_EQ(add_favourite(list, "/srv/a", places), FavouriteChange::Changed);
    EXPECT_EQ(add_favourite(list, m_home, places), FavouriteChange::Changed);
    auto before = list;
    EXPECT_EQ(add_favourite(list, "/srv/a", places), FavouriteChange::Unchanged);
    EXPECT_EQ(add_favourite(list, "/srv/a/", places), FavouriteChange::Unchanged);
    EXPECT_EQ(list, before);
    EXPECT_EQ(list.back(), (Favourite { Label::message("files-place-home"), m_home, PlaceKind::Home }));
}

TEST_F(Favourites, RemoveTakesEveryCopy)
{
    std::vector<Favourite> list {
        make_favourite("/a", context()),
        make_favourite("/b", context()),
        make_favourite("/a/", context()),
    };
    EXPECT_EQ(remove_favourite(list, "/a"), FavouriteChange::Changed);
    EXPECT_EQ(paths_of(list), std::vector<path> { "/b" });
    EXPECT_EQ(remove_favourite(list, "/a"), FavouriteChange::Unchanged);
    EXPECT_EQ(paths_of(list), std::vector<path> { "/b" });
}

TEST_F(Favourites, MoveEndsAtTheTargetIndex)
{
    struct Case {
        std::size_t from;
        std::size_t to;
        std::vector<path> expected;
        FavouriteChange change;
    };
    Case const cases[] = {
        { 0, 2, { "/B", "/C", "/A", "/D" }, FavouriteChange::Changed },
        { 2, 0, { "/C", "/A", "/B", "/D" }, FavouriteChange::Changed },
        { 3, 1, { "/A", "/D", "/B", "/C" }, FavouriteChange::Changed },
        { 0, 3, { "/B", "/C", "/D", "/A" }, FavouriteChange::Changed },
        { 1, 1, { "/A", "/B", "/C", "/D" }, FavouriteChange::Unchanged },
        { 4, 0, { "/A", "/B", "/C", "/D" }, FavouriteChange::Unchanged },
        { 0, 4, { "/A", "/B", "/C", "/D" }, FavouriteChange::Unchanged },
    };
    for (auto const& row : cases) {
        SCOPED_TRACE(testing::Message() << row.from << " -> " << row.to);
        std::vector<Favourite> list;
        for (char const* name : { "/A", "/B", "/C", "/D" })
            list.push_back(make_favourite(name, context()));
        EXPECT_EQ(move_favourite(list, row.from, row.to), row.change);
        EXPECT_EQ(paths_of(list), row.expected);
        EXPECT_EQ(list[0].label, Label::literal(row.expected[0].filename().string()));
    }
}

TEST_F(Favourites, SidebarListsFavouritesThenSystemPlaces)
{
    auto system = system_places(path("/t/Trash/files"));
    std::vector<Place> const expected_system {
        { Label::message("files-place-root"), "/", PlaceKind::Root, PlaceSection::System },
        { Label::message("files-place-trash"), "/t/Trash/files", PlaceKind::Trash, PlaceSection::System },
    };
    EXPECT_EQ(system, expected_system);
    EXPECT_EQ(system_places(std::nullopt), std::vector<Place> { expected_system[0] });

    auto places = sidebar_places({ make_favourite(m_home, context()) }, system);
    ASSERT_EQ(places.size(), 3u);
    EXPECT_EQ(
        places[0], (Place { Label::message("files-place-home"), m_home, PlaceKind::Home, PlaceSection::Favourites }));
    EXPECT_EQ(places[1], expected_system[0]);
}

}
