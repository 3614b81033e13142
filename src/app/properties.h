#pragma once

// The properties sheet: what the explorer knows about one entry, its file
// system facts and, in the workspace, the verified records published for it.
// Built once from a copy of the entry; a later re-read does not change it.

#include "app/explorer_state.h"
#include "app/sheet.h"
#include "model/entry.h"

#include <cstdint>
#include <string>

namespace files::app {

// A duration in milliseconds as m:ss below an hour, else h:mm:ss; whole
// seconds, truncated, in ASCII digits.
std::string duration_text(std::uint64_t milliseconds);

Sheet properties_sheet(model::Entry const& entry);

// Opens the sheet for the primary selected entry; nothing without one.
void open_properties(ExplorerState& state);

}
