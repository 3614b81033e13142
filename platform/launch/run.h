#pragma once

#include "base/result.h"
#include "launch/launch_args.h"

#include <string>
#include <vector>

namespace ui {

// Runs an application: parses `arguments` against the specification, opens
// the persisted state through its opener, then either renders the scene the
// arguments name and returns, or opens one window of the default size with
// the root widget from the factory and returns when it closes.
base::Result<void> run(LaunchSpec const& spec, std::vector<std::string> const& arguments);

}
