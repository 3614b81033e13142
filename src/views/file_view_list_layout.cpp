#include "views/file_view_geometry.h"

#include <algorithm>
#include <cmath>

namespace files::views {

namespace {

    constexpr double margin = 10;
    constexpr double size_width = 96;
    constexpr double modified_width = 158;
    constexpr double size_threshold = 340;
    constexpr double modified_threshold = 560;

}

double list_header_height(ItemScale s) { return 30 * s.z * s.u; }

double list_row_height(ItemScale s) { return 34 * s.z * s.u; }

ui::Rect list_row_rect(std::size_t index, ui::Rect content, ItemScale s)
{
    double top = content.top + list_header_height(s) + static_cast<double>(index) * list_row_height(s);
    return { content.left, top, content.right, top + list_row_height(s) };
}

ListColumns list_columns(ui::Rect content, ItemScale s)
{
    double width = content.width();
    double gap = margin * s.z;
    double right = content.right - margin * s.z;
    ListColumns columns;
    if (width > modified_threshold * s.z * s.u) {
        columns.modified = ColumnSpan { right - modified_width * s.z * s.u, right };
        right = columns.modified->left - gap;
    }
    if (width > size_threshold * s.z * s.u) {
        columns.size = ColumnSpan { right - size_width * s.z * s.u, right };
        right = columns.size->left - gap;
    }
    double left = content.left + margin * s.z;
    columns.name = ColumnSpan { left, std::max(left, right) };
    return columns;
}

double list_content_height(std::size_t count, ItemScale s)
{
    return list_header_height(s) + static_cast<double>(count) * list_row_height(s) + 6;
}

double list_header_top(ui::Rect content, std::optional<ui::Rect> clip)
{
    return clip ? std::max(content.top, clip->top) : content.top;
}

ui::Rect list_icon_rect(ui::Rect row, ListColumns const& columns, ItemScale s)
{
    double side = 18 * s.z;
    double left = columns.name.left + 4;
    double top = row.top + (row.height() - side) / 2;
    return { left, top, left + side, top + side };
}

ui::Rect list_label_rect(ui::Rect row, ui::Rect icon, ListColumns const& columns)
{
    double left = icon.right + 12;
    double width = std::max(0.0, columns.name.right - left - 12);
    return { left, row.top, left + width, row.bottom };
}

ui::Rect list_editor_rect(ui::Rect row, ui::Rect label, ListColumns const& columns, double text_inset)
{
    return { label.left - text_inset, row.top + 2, columns.name.right - 4, row.bottom - 2 };
}

}
