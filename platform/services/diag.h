#pragma once

#include <string_view>

namespace diag {

// Writes one diagnostic line through the process log (standard error).
void write_line(std::string_view text);

}
