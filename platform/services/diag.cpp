#include "services/diag.h"

#include <spdlog/spdlog.h>

namespace diag {

void write_line(std::string_view text) { spdlog::info("{}", text); }

}
