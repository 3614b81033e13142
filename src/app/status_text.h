#pragma once

#include "app/explorer_state.h"

#include <string>

namespace files::app {

// The notice when one is set, else the item count; with a selection the
// selected count is appended ("… · 3 selected").
std::string status_text(ExplorerState const& state);

}
