#pragma once

// A small layout engine: children placed along one axis, each with a fixed
// size, its content size, or a share of the remaining space. Containers call
// it from build_layout; tests call it directly.

#include "ui/geometry.h"

#include <cstdint>
#include <span>
#include <vector>

namespace ui {

enum class Axis : std::uint8_t {
    Horizontal, // a row
    Vertical,   // a column
};

struct Sizing {
    enum class Kind : std::uint8_t {
        Fixed,    // exactly `amount` logical pixels
        Content,  // the measured size, `amount`
        Flexible, // a share of what is left, weighted by `amount`
    };
    Kind kind { Kind::Flexible };
    double amount { 1 };
    // Bounds applied to the result along the main axis.
    double min { 0 };
    double max { 1e9 };

    static Sizing fixed(double pixels) { return { Kind::Fixed, pixels, 0, 1e9 }; }
    static Sizing content(double measured) { return { Kind::Content, measured, 0, 1e9 }; }
    static Sizing flexible(double weight = 1) { return { Kind::Flexible, weight, 0, 1e9 }; }
    Sizing& at_least(double value)
    {
        min = value;
        return *this;
    }
    Sizing& at_most(double value)
    {
        max = value;
        return *this;
    }
};

struct Insets {
    double left { 0 };
    double top { 0 };
    double right { 0 };
    double bottom { 0 };
    static Insets all(double v) { return { v, v, v, v }; }
    static Insets symmetric(double horizontal, double vertical) { return { horizontal, vertical, horizontal, vertical }; }
};

struct LineLayout {
    Axis axis { Axis::Vertical };
    Insets padding;
    double gap { 0 };
};

// Places `items` in `bounds`. Fixed and content items take their size first
// (clamped to min/max); flexible items share what remains by weight, never
// below their min; a flexible item that hits its max gives its excess to the
// others. Items overflow the far edge rather than shrink below their sizes
// when space runs out. On the cross axis every item fills the padded bounds.
std::vector<Rect> layout_line(Rect bounds, LineLayout const& line, std::span<Sizing const> items);

}
