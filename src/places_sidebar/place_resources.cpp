#include "places_sidebar/place_resources.h"

#include "command/resource_address.h"
#include "places_sidebar/places_sidebar.h"

#include <nlohmann/json.hpp>

namespace files::places_sidebar {

std::vector<ui::Resource> place_resources(std::vector<favorites::Place> const& places)
{
    std::vector<ui::Resource> resources;
    resources.reserve(places.size());
    for (auto const& place : places) {
        auto address = command::place_address(place.path);
        auto open = ui::ActionSpec("open", "Open", "files.open")
                        .with_payload(nlohmann::json(address).dump())
                        .execution(ui::InvocationKind::Navigation);
        resources.push_back(ui::Resource(place_resource_kind, address, resolve_label(place.label)).with_action(open));
    }
    return resources;
}

}
