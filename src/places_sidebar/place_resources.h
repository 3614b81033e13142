#pragma once

// The places as the desktop's search lists them: one `files.place`
// resource per place, with an "open" action that navigates there.

#include "favorites/places.h"
#include "ui/actions.h"
#include "ui/search_catalog.h"

#include <vector>

namespace files::places_sidebar {

inline constexpr char const* place_resource_kind = "files.place";

// In the order given (favourites, then system places); each labelled in the
// process locale, addressed by its path, and opened through `files.open`
// with the address as its JSON string payload.
std::vector<ui::Resource> place_resources(std::vector<favorites::Place> const& places);

// The places catalog of the desktop's search, labelled with
// `files-a11y-places`: one entry per place, titled with its label, detailed
// with its path, pointing at the place's "open" action.
ui::SearchCatalog places_search_catalog(std::vector<favorites::Place> const& places);

}
