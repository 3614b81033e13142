#pragma once

// The application icon of Files, drawn with the toolkit's own line-art
// folder on a rounded accent tile, written as SVG and as PNG at the sizes
// the desktop's icon theme asks for.

#include "base/result.h"

#include <array>
#include <filesystem>

typedef struct _cairo cairo_t;

namespace files::icon_tool {

// The fixed sizes of the hicolor theme's application icons.
inline constexpr std::array<int, 8> png_sizes { 16, 24, 32, 48, 64, 128, 256, 512 };

// Draws the icon into the square (0, 0)–(size, size) of `cr`.
void draw_app_icon(cairo_t* cr, double size);

// Writes `name`.svg under hicolor/scalable/apps and `name`.png under
// hicolor/NxN/apps for every size of png_sizes, below `folder`, creating the
// folders. Fails with the path and the reason when a file cannot be written.
base::Result<void> write_icon_theme(std::filesystem::path const& folder, std::string const& name);

}
