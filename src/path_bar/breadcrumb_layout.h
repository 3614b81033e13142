#pragma once

// Where the breadcrumbs go inside the bar, as a plain function of the bar's
// rectangle, the segments and their measured widths.

#include "path_bar/segments.h"
#include "ui/geometry.h"

#include <optional>
#include <vector>

namespace files::path_bar {

inline constexpr double label_font_size = 13;
inline constexpr char const* separator_text = "\u203A";
inline constexpr char const* ellipsis_text = "\u2026";
inline constexpr double separator_padding = 6;
inline constexpr double icon_size = 16;
// From the icon's left edge to the first label.
inline constexpr double label_offset = 24;
// Room kept free at the bar's right edge.
inline constexpr double end_margin = 4;
// A segment's hover area reaches this far beyond its label on each side.
inline constexpr double hover_slop = 3;

struct BreadcrumbMetrics {
    std::vector<double> label_widths; // one per segment
    double separator_width { 0 };
    double ellipsis_width { 0 };

    double separator_slot() const { return separator_width + 2 * separator_padding; }
};

struct BreadcrumbItem {
    // The segment shown; nullopt for the "…" that stands for dropped ones.
    std::optional<std::size_t> segment;
    ui::Rect rect;
    bool current { false };
    bool separator_before { false };
};

struct BreadcrumbLayout {
    ui::Rect icon;
    std::vector<BreadcrumbItem> items;
    bool collapsed { false };
};

// Lays the segments out left to right after the leading icon. When they do
// not fit and there is more than one, the trailing segments that fit after a
// "…" are kept (the last one always); the last label is clipped to the bar.
BreadcrumbLayout layout_breadcrumbs(ui::Rect bar, BreadcrumbMetrics const& metrics);

// The segment whose label, widened by hover_slop, lies under `point` within
// the bar's height; never the "…".
std::optional<std::size_t> segment_at(BreadcrumbLayout const& layout, ui::Rect bar, ui::Point point);

}
