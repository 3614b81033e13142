#pragma once

// The explorer's own window geometry and the small text rules of its
// content-area states, as plain functions.

#include "ui/geometry.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace files::app {

// 1 + 0.15 × zoom, with zoom clamped to -2 … 6.
double item_scale(int zoom_level);

// 640 + 900 × max(0, text scale − 1) logical pixels, at least 1.
double narrow_layout_threshold(double text_scale);

// The modal sheet centred in `root`: width clamp(W, 320, 680) − 32; height
// 143 without detail lines, else 116 + 27 × min(lines, 14), plus 58 with a
// confirm button, then at most H − 32 and at least 180.
ui::Rect sheet_rect(ui::Rect const& root, std::size_t detail_lines, bool has_confirm);
ui::Rect sheet_confirm_rect(ui::Rect const& sheet);
// Where a press closes the sheet: 48 to 8 px left of its right edge, 6 to
// 46 px below its top.
ui::Rect sheet_close_zone(ui::Rect const& sheet);

// More than `n` characters: "…" followed by the last n − 1; else unchanged.
std::string shorten_path(std::string_view text, std::size_t n);

// The system's part of a load error (after its first ": "), cut to its first
// 25 characters plus "…" when it has 27 characters or more.
std::string load_error_detail(std::string_view error);

}
