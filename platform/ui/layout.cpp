#include "ui/layout.h"

#include <algorithm>

namespace ui {

std::vector<Rect> layout_line(Rect bounds, LineLayout const& line, std::span<Sizing const> items)
{
    Rect inner { bounds.left + line.padding.left, bounds.top + line.padding.top,
        std::max(bounds.left + line.padding.left, bounds.right - line.padding.right),
        std::max(bounds.top + line.padding.top, bounds.bottom - line.padding.bottom) };
    bool const vertical = line.axis == Axis::Vertical;
    double const main_extent = vertical ? inner.height() : inner.width();

    std::vector<double> sizes(items.size(), 0.0);
    std::vector<bool> settled(items.size(), false);
    double used = items.empty() ? 0.0 : line.gap * static_cast<double>(items.size() - 1);
    double flexible_weight = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        auto const& item = items[i];
        switch (item.kind) {
        case Sizing::Kind::Fixed:
        case Sizing::Kind::Content:
            sizes[i] = std::clamp(item.amount, item.min, std::max(item.min, item.max));
            settled[i] = true;
            used += sizes[i];
            break;
        case Sizing::Kind::Flexible:
            flexible_weight += std::max(0.0, item.amount);
            break;
        }
    }

    // Distribute the remainder; items clamped by min or max leave the pool and
    // the rest is shared again, so the loop ends after at most one pass per item.
    double remaining = std::max(0.0, main_extent - used);
    for (bool changed = true; changed && flexible_weight > 0;) {
        changed = false;
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (settled[i])
                continue;
            auto const& item = items[i];
            double share = remaining * std::max(0.0, item.amount) / flexible_weight;
            double clamped = std::clamp(share, item.min, std::max(item.min, item.max));
            if (clamped != share) {
                sizes[i] = clamped;
                settled[i] = true;
                remaining = std::max(0.0, remaining - clamped);
                flexible_weight -= std::max(0.0, item.amount);
                changed = true;
            }
        }
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!settled[i])
            sizes[i] = flexible_weight > 0 ? remaining * std::max(0.0, items[i].amount) / flexible_weight : 0;
    }

    std::vector<Rect> rects;
    rects.reserve(items.size());
    double cursor = vertical ? inner.top : inner.left;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (vertical)
            rects.push_back({ inner.left, cursor, inner.right, cursor + sizes[i] });
        else
            rects.push_back({ cursor, inner.top, cursor + sizes[i], inner.bottom });
        cursor += sizes[i] + line.gap;
    }
    return rects;
}

}
