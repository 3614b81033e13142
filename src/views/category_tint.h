#pragma once

#include "ui/color.h"

#include <cstdint>

namespace files::views {

// The placeholder tile colour of a thumbnail category; out-of-range indices
// get the colour of the last category.
ui::Color category_tint(std::uint8_t category);

}
