#pragma once

// What an application offers the desktop's search: named catalogs of entries,
// each pointing at one action of a published resource.

#include "ui/actions.h"

#include <string>
#include <vector>

namespace ui {

struct SearchEntry {
    std::string title;
    std::string detail;
    // A toolkit icon name ("folder", "remote-folder" …).
    std::string icon;
    ActionAddress action;
    bool operator==(SearchEntry const&) const = default;
};

struct SearchCatalog {
    std::string id;
    std::string label;
    std::vector<SearchEntry> entries;
    bool operator==(SearchCatalog const&) const = default;
};

}
