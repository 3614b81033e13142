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

}
