#include "path_bar/breadcrumb_layout.h"

#include <algorithm>

namespace files::path_bar {

namespace {

    BreadcrumbLayout place(ui::Rect bar, BreadcrumbMetrics const& metrics, std::size_t first_kept, bool collapsed)
    {
        BreadcrumbLayout layout;
        double icon_left = bar.left + 2;
        layout.icon = ui::Rect::from_xywh(icon_left, bar.center().y - icon_size / 2, icon_size, icon_size);
        layout.collapsed = collapsed;
        double x = icon_left + label_offset;
        auto add = [&](std::optional<std::size_t> segment, double width) {
            bool after_first = !layout.items.empty();
            if (after_first)
                x += metrics.separator_slot();
            layout.items.push_back({ segment, { x, bar.top, x + width, bar.bottom }, false, after_first });
            x += width;
        };
        if (collapsed)
            add(std::nullopt, metrics.ellipsis_width);
        auto count = metrics.label_widths.size();
        for (std::size_t i = first_kept; i < count; ++i)
            add(i, metrics.label_widths[i]);
        if (!layout.items.empty() && count > 0) {
            auto& last = layout.items.back();
            last.current = true;
            last.rect.right = std::max(last.rect.left, std::min(last.rect.right, bar.right - end_margin));
        }
        return layout;
    }

    double full_width(BreadcrumbMetrics const& metrics)
    {
        double width = 0;
        for (std::size_t i = 0; i < metrics.label_widths.size(); ++i)
            width += metrics.label_widths[i] + (i > 0 ? metrics.separator_slot() : 0);
        return width;
    }

}

BreadcrumbLayout layout_breadcrumbs(ui::Rect bar, BreadcrumbMetrics const& metrics)
{
    double start = bar.left + 2 + label_offset;
    double limit = bar.right - end_margin;
    auto count = metrics.label_widths.size();
    if (count <= 1 || start + full_width(metrics) <= limit)
        return place(bar, metrics, 0, false);

    // Keep trailing segments while they fit after the "…" and its separator.
    double room = limit - start - metrics.ellipsis_width;
    double used = 0;
    std::size_t first_kept = count - 1;
    used += metrics.label_widths[count - 1] + metrics.separator_slot();
    while (first_kept > 0) {
        double next = metrics.label_widths[first_kept - 1] + metrics.separator_slot();
        if (used + next > room)
            break;
        used += next;
        --first_kept;
    }
    return place(bar, metrics, first_kept, first_kept > 0);
}

std::optional<std::size_t> segment_at(BreadcrumbLayout const& layout, ui::Rect bar, ui::Point point)
{
    if (point.y < bar.top || point.y >= bar.bottom)
        return std::nullopt;
    for (auto const& item : layout.items) {
        if (!item.segment)
            continue;
        if (point.x >= item.rect.left - hover_slop && point.x < item.rect.right + hover_slop)
            return item.segment;
    }
    return std::nullopt;
}

}
