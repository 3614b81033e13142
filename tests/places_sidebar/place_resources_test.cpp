#include "command/resource_address.h"
#include "i18n/translate.h"
#include "places_sidebar/place_resources.h"

#include <gtest/gtest.h>

namespace {

using namespace files::favorites;

TEST(PlaceResources, OnePlaceResourceWithAnOpenActionEach)
{
    std::vector<Place> const places {
        { Label::literal("Projects"), "/srv/Projects", PlaceKind::Folder, PlaceSection::Favourites },
        { Label::message("files-place-root"), "/", PlaceKind::Root, PlaceSection::System },
    };
    auto resources = files::places_sidebar::place_resources(places);
    ASSERT_EQ(resources.size(), 2u);

    auto const& projects = resources[0];
    EXPECT_EQ(projects.kind(), "files.place");
    EXPECT_EQ(projects.address(), files::command::place_address("/srv/Projects"));
    EXPECT_EQ(projects.label(), "Projects");
    ASSERT_EQ(projects.actions().size(), 1u);
    auto const* open = projects.find_action("open");
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->label(), "Open");
    EXPECT_EQ(open->action_id(), "files.open");
    EXPECT_EQ(open->payload(), "\"" + projects.address() + "\"");
    EXPECT_EQ(open->kind(), ui::InvocationKind::Navigation);

    EXPECT_EQ(resources[1].label(), files::i18n::translate("files-place-root"));
    EXPECT_NE(resources[1].address(), projects.address());
}

TEST(PlaceResources, SearchCatalogPointsAtEachPlacesOpenAction)
{
    std::vector<Place> const places {
        { Label::literal("Projects"), "/srv/Projects", PlaceKind::Folder, PlaceSection::Favourites },
        { Label::message("files-place-root"), "/", PlaceKind::Root, PlaceSection::System },
    };
    auto catalog = files::places_sidebar::places_search_catalog(places);
    EXPECT_EQ(catalog.label, files::i18n::translate("files-a11y-places"));
    ASSERT_EQ(catalog.entries.size(), 2u);
    EXPECT_EQ(catalog.entries[0].title, "Projects");
    EXPECT_EQ(catalog.entries[0].detail, "/srv/Projects");
    EXPECT_EQ(
        catalog.entries[0].action, (ui::ActionAddress { files::command::place_address("/srv/Projects"), "open" }));
    // Every catalog entry names an action that the place resources publish.
    auto resources = files::places_sidebar::place_resources(places);
    for (std::size_t i = 0; i < places.size(); ++i) {
        EXPECT_EQ(resources[i].address(), catalog.entries[i].action.resource);
        EXPECT_NE(resources[i].find_action(catalog.entries[i].action.operation), nullptr);
    }
}

}
