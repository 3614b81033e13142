#pragma once

// The size a scene is rendered at, from the --size option.

#include "ui/geometry.h"

#include <optional>
#include <string>
#include <string_view>

namespace files::scenes {

// Used when --size is absent or does not parse.
inline constexpr ui::Size fallback_scene_size { 1200, 720 };

// "WIDTHxHEIGHT", split at the first "x" or "X"; each side trimmed and read
// as an unsigned 32-bit decimal number, a leading "+" allowed. Nothing when
// either side does not parse.
std::optional<ui::Size> parse_scene_size(std::string_view text);

// The parsed --size value, else the fallback size.
ui::Size scene_output_size(std::optional<std::string> const& size_option);

}
