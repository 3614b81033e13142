#pragma once

#include "ui/text_renderer.h"
#include "ui/theme.h"
#include "views/file_view.h"

namespace files::views {

// What one draw pass of the file view computes once and every item reads.
struct FileView::DrawContext {
    ui::Rect clip;
    IndexRange range;
    ListColumns columns;
    ui::Font label_font;
    ui::Font cell_font;
    double line_height { 0 };
    ui::Theme const* theme { nullptr };
};

// The label font at the item scale, and the text inset of the inline editor.
ui::Font label_font(ItemScale scale);
inline constexpr double editor_text_inset = 6;

}
