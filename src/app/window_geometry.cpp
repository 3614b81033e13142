#include "app/window_geometry.h"

#include "app/explorer_state.h"

#include <algorithm>
#include <vector>

namespace files::app {

namespace {

    // Byte offsets of each character start in UTF-8 text.
    std::vector<std::size_t> character_starts(std::string_view text)
    {
        std::vector<std::size_t> starts;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
                starts.push_back(i);
        }
        return starts;
    }

}

double item_scale(int zoom_level) { return 1.0 + 0.15 * std::clamp(zoom_level, min_zoom_level, max_zoom_level); }

double narrow_layout_threshold(double text_scale)
{
    return std::max(1.0, 640.0 + 900.0 * std::max(0.0, text_scale - 1.0));
}

ui::Rect sheet_rect(ui::Rect const& root, std::size_t detail_lines, bool has_confirm)
{
    double const w = root.width();
    double const h = root.height();
    double width = std::clamp(w, 320.0, 680.0) - 32.0;
    double height
        = detail_lines == 0 ? 143.0 : 116.0 + 27.0 * static_cast<double>(std::min<std::size_t>(detail_lines, 14));
    if (has_confirm)
        height += 58.0;
    height = std::max(std::min(height, h - 32.0), 180.0);
    auto c = root.center();
    return { c.x - width / 2, c.y - height / 2, c.x + width / 2, c.y + height / 2 };
}

ui::Rect sheet_confirm_rect(ui::Rect const& sheet)
{
    return { sheet.left + 24, sheet.bottom - 50, sheet.right - 24, sheet.bottom - 14 };
}

ui::Rect sheet_close_zone(ui::Rect const& sheet)
{
    return { sheet.right - 48, sheet.top + 6, sheet.right - 8, sheet.top + 46 };
}

std::string shorten_path(std::string_view text, std::size_t n)
{
    auto starts = character_starts(text);
    if (starts.size() <= n || n == 0)
        return std::string(text);
    return "…" + std::string(text.substr(starts[starts.size() - (n - 1)]));
}

std::string load_error_detail(std::string_view error)
{
    auto colon = error.find(": ");
    auto system = colon == std::string_view::npos ? error : error.substr(colon + 2);
    auto starts = character_starts(system);
    if (starts.size() >= 27)
        return std::string(system.substr(0, starts[25])) + "…";
    return std::string(system);
}

}
