#pragma once

// Geometry in logical pixels. The host multiplies by its UI scale; widgets
// never see device pixels.

#include <algorithm>

namespace ui {

struct Point {
    double x { 0 };
    double y { 0 };
    bool operator==(Point const&) const = default;
};

struct Size {
    double width { 0 };
    double height { 0 };
    bool operator==(Size const&) const = default;
};

// A rectangle as its four edges; right and bottom are exclusive.
struct Rect {
    double left { 0 };
    double top { 0 };
    double right { 0 };
    double bottom { 0 };

    static Rect from_size(Point origin, Size size)
    {
        return { origin.x, origin.y, origin.x + size.width, origin.y + size.height };
    }
    static Rect from_xywh(double x, double y, double width, double height) { return { x, y, x + width, y + height }; }

    double width() const { return right - left; }
    double height() const { return bottom - top; }
    Size size() const { return { width(), height() }; }
    Point origin() const { return { left, top }; }
    Point center() const { return { (left + right) / 2, (top + bottom) / 2 }; }
    bool is_empty() const { return right <= left || bottom <= top; }

    bool contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    bool intersects(Rect const& other) const
    {
        return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
    }
    Rect intersected(Rect const& other) const
    {
        Rect r { std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
            std::min(bottom, other.bottom) };
        if (r.is_empty())
            return { r.left, r.top, r.left, r.top };
        return r;
    }
    Rect inset(double amount) const { return inset(amount, amount); }
    Rect inset(double horizontal, double vertical) const
    {
        return { left + horizontal, top + vertical, std::max(left + horizontal, right - horizontal),
            std::max(top + vertical, bottom - vertical) };
    }
    Rect translated(double dx, double dy) const { return { left + dx, top + dy, right + dx, bottom + dy }; }

    bool operator==(Rect const&) const = default;
};

}
