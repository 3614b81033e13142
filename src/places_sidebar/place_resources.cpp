#include "places_sidebar/place_resources.h"

#include "command/resource_address.h"
#include "i18n/translate.h"
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

ui::SearchCatalog places_search_catalog(std::vector<favorites::Place> const& places)
{
    ui::SearchCatalog catalog { "places", i18n::translate("files-a11y-places"), {} };
    catalog.entries.reserve(places.size());
    for (auto const& place : places) {
        catalog.entries.push_back(ui::SearchEntry { resolve_label(place.label), place.path.string(), "folder",
            ui::ActionAddress { command::place_address(place.path), "open" } });
    }
    return catalog;
}

}
