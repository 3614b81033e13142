#include "i18n/translate.h"
#include "sidebar_fixture.h"

namespace {

using namespace sidebar_test;
using Messages = std::vector<SidebarMessage>;

constexpr std::size_t root_row = 5;
constexpr std::size_t trash_row = 6;

TEST_F(SidebarTest, DraggingTheThirdFavouriteAboveTheFirstReportsAMove)
{
    lay_out();
    auto start = centre_of(2);
    press(start);
    EXPECT_TRUE(m_sidebar.wants_pointer_capture());
    for (double y = start.y; y > 0; y -= 10)
        move({ start.x, y });
    ASSERT_TRUE(m_sidebar.drag().has_value());
    EXPECT_EQ(m_sidebar.drag()->drop, 0u);
    release({ start.x, 0 });

    EXPECT_EQ(m_sidebar.take_messages(), (Messages { MoveFavourite { 2, 0 } }));
    EXPECT_FALSE(m_sidebar.wants_pointer_capture());
    EXPECT_EQ(m_favourites, five_favourites()) << "the sidebar must not reorder the list itself";
}

TEST_F(SidebarTest, ReleasingWhereTheDragStartedNavigates)
{
    lay_out();
    struct Case {
        char const* name;
        std::vector<double> moves; // pointer y offsets from the press
    };
    Case const cases[] = {
        { "plain click", {} },
        { "small jitter", { 2, -1 } },
        { "out and back", { -60, -30, 0 } },
        { "within its own slot", { 12 } },
    };
    for (auto const& row : cases) {
        SCOPED_TRACE(row.name);
        auto start = centre_of(2);
        press(start);
        for (double dy : row.moves)
            move({ start.x, start.y + dy });
        release({ start.x, start.y + (row.moves.empty() ? 0 : row.moves.back()) });
        EXPECT_EQ(m_sidebar.take_messages(), (Messages { NavigateToPlace { "/srv/Projects" } }));
    }
}

TEST_F(SidebarTest, DraggingBelowTheListDropsAtTheEnd)
{
    lay_out();
    auto start = centre_of(0);
    press(start);
    move({ start.x, 900 }); // outside the sidebar; capture keeps it coming
    release({ start.x, 900 });
    EXPECT_EQ(m_sidebar.take_messages(), (Messages { MoveFavourite { 0, 4 } }));
}

TEST_F(SidebarTest, PressesOnRows)
{
    lay_out();
    press(centre_of(root_row));
    EXPECT_EQ(m_sidebar.take_messages(), (Messages { NavigateToPlace { "/" } })) << "system rows open on press";
    EXPECT_TRUE(m_sidebar.has_focus());
    EXPECT_EQ(m_sidebar.focus_index(), root_row);
    EXPECT_FALSE(m_sidebar.wants_pointer_capture());

    press(centre_of(3), ui::PointerButton::Secondary);
    EXPECT_EQ(m_sidebar.take_messages(), (Messages { FavouriteContextMenu { "/home/ada/Music" } }));

    press(centre_of(trash_row), ui::PointerButton::Secondary);
    EXPECT_EQ(m_last_result, ui::EventResult::Ignored);
    press({ 120, 5 });
    EXPECT_EQ(m_last_result, ui::EventResult::Ignored);
    EXPECT_TRUE(m_sidebar.take_messages().empty());
}

TEST_F(SidebarTest, FavouritesAreReadAgainFromTheSharedList)
{
    lay_out();
    m_favourites.push_back({ Label::literal("New"), "/srv/new", PlaceKind::Folder });
    auto sixth = sidebar_geometry({ 0, 0, 240, 600 }, 6, 2, 1).rows[5].center();
    press(sixth);
    release(sixth);
    EXPECT_EQ(m_sidebar.take_messages(), (Messages { NavigateToPlace { "/srv/new" } }));

    m_favourites.clear();
    auto accessible = m_sidebar.accessibility();
    ASSERT_EQ(accessible.children.size(), 2u);
    EXPECT_EQ(accessible.children[0].bounds.top, 12 + 26) << "System starts at the top without favourites";
}

TEST_F(SidebarTest, KeyboardFocusRunsAcrossBothSections)
{
    lay_out();
    m_sidebar.set_focus(true);
    EXPECT_EQ(m_sidebar.focus_index(), 0u);

    struct Step {
        ui::Key key;
        std::size_t focus;
    };
    Step const steps[] = {
        { ui::Key::Up, 0 },
        { ui::Key::End, trash_row },
        { ui::Key::Down, trash_row },
        { ui::Key::Home, 0 },
        { ui::Key::Down, 1 },
        { ui::Key::Down, 2 },
        { ui::Key::Down, 3 },
        { ui::Key::Down, 4 },
        { ui::Key::Down, root_row }, // from the last favourite to Root
        { ui::Key::Up, 4 },
    };
    for (auto const& step : steps) {
        SCOPED_TRACE(ui::key_name(step.key));
        EXPECT_EQ(key(step.key), ui::EventResult::Handled);
        EXPECT_EQ(m_sidebar.focus_index(), step.focus);
    }

    EXPECT_EQ(key(ui::Key::Menu), ui::EventResult::Handled);
    EXPECT_EQ(key(ui::Key::Enter), ui::EventResult::Handled);
    EXPECT_EQ(m_sidebar.take_messages(),
        (Messages {
            FavouriteContextMenu { "/var/workspace/Team Files" }, NavigateToPlace { "/var/workspace/Team Files" } }));
    key(ui::Key::Down);
    EXPECT_EQ(key(ui::Key::Menu), ui::EventResult::Ignored) << "system rows have no menu";

    EXPECT_EQ(key(ui::Key::Down, { .shift = true }), ui::EventResult::Ignored);
    EXPECT_EQ(key(ui::Key::Escape), ui::EventResult::Ignored);
    m_sidebar.set_focus(false);
    EXPECT_EQ(key(ui::Key::Up), ui::EventResult::Ignored);
    EXPECT_EQ(m_sidebar.focus_index(), root_row);
}

TEST_F(SidebarTest, GainingFocusStartsAtTheCurrentLocation)
{
    lay_out();
    m_sidebar.set_current_location("/srv/Projects/"); // typed in the path bar, trailing slash
    m_sidebar.set_focus(true);
    EXPECT_EQ(m_sidebar.focus_index(), 2u);

    auto accessible = m_sidebar.accessibility();
    for (std::size_t row = 0; row < accessible.children.size(); ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(accessible.children[row].selected, row == 2);
        EXPECT_EQ(accessible.children[row].focused, row == 2);
    }
}

TEST_F(SidebarTest, AccessibilityNamesRowsAndPerformsTheirActions)
{
    lay_out();
    auto accessible = m_sidebar.accessibility();
    EXPECT_EQ(accessible.id, PlacesSidebar::identifier);
    EXPECT_EQ(accessible.label, files::i18n::translate("files-a11y-places"));
    ASSERT_EQ(accessible.children.size(), 7u);

    auto const& projects = accessible.children[2];
    EXPECT_EQ(projects.label, "Projects");
    EXPECT_EQ(projects.description,
        files::i18n::translate_with("files-a11y-place-description",
            { { "section", files::i18n::translate("files-a11y-favourite") }, { "path", "/srv/Projects" } }));
    EXPECT_EQ(projects.actions, (std::vector<std::string> { "activate", "show-menu" }));
    EXPECT_EQ(projects.bounds, m_sidebar.geometry().rows[2]);

    auto const& trash = accessible.children[trash_row];
    EXPECT_EQ(trash.label, files::i18n::translate("files-place-trash"));
    EXPECT_EQ(trash.description,
        files::i18n::translate_with("files-a11y-place-description",
            { { "section", files::i18n::translate("files-a11y-system-location") }, { "path", "/t/Trash/files" } }));
    EXPECT_EQ(trash.actions, std::vector<std::string> { "activate" });

    EXPECT_TRUE(m_sidebar.perform_action(trash.id, "activate"));
    EXPECT_TRUE(m_sidebar.perform_action(projects.id, "show-menu"));
    EXPECT_FALSE(m_sidebar.perform_action(trash.id, "show-menu"));
    EXPECT_FALSE(m_sidebar.perform_action(projects.id, "delete"));
    EXPECT_FALSE(m_sidebar.perform_action("places_sidebar.place.99", "activate"));
    EXPECT_FALSE(m_sidebar.perform_action("places_sidebar.place.2x", "activate"));
    EXPECT_EQ(m_sidebar.take_messages(),
        (Messages { NavigateToPlace { "/t/Trash/files" }, FavouriteContextMenu { "/srv/Projects" } }));
}

}
