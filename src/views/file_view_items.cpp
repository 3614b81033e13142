#include "i18n/format.h"
#include "ui/icons.h"
#include "ui/painter.h"
#include "views/badges.h"
#include "views/category_tint.h"
#include "views/detail/draw_context.h"
#include "views/file_view.h"
#include "views/file_view_access.h"
#include "views/middle_ellipsis.h"
#include "views/thumbnail_source.h"

#include <algorithm>
#include <cmath>

#include <fmt/format.h>

namespace files::views {

namespace {

    constexpr char dash[] = "\xE2\x80\x94";
    constexpr char conflict_suffix[] = "  \xE2\x9A\xA0";
    constexpr std::size_t fitted_cache_limit = 4096;

    std::string size_cell(model::Entry const& entry)
    {
        return entry.is_dir ? std::string(dash) : i18n::format_size(entry.size);
    }

    std::string modified_cell(model::Entry const& entry)
    {
        if (!entry.modified)
            return dash;
        return i18n::format_local_time(entry.modified->local_time());
    }

    ui::Icon file_icon(model::Entry const& entry)
    {
        return ui::icon_for_path(std::filesystem::path(entry.path), ui::PathKind::File);
    }

    std::string upper_extension(std::string_view name)
    {
        auto dot = name.rfind('.');
        if (dot == std::string_view::npos || dot == 0 || dot + 1 == name.size())
            return {};
        std::string ext(name.substr(dot + 1));
        for (char& c : ext) {
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
        }
        return ext;
    }

}

std::string const& FileView::fitted_name(
    ui::TextRenderer& text, std::string const& name, ui::Font const& font, double width)
{
    std::string key = fmt::format("{}\x1f{}\x1f{}", name, font.size, width);
    if (auto found = m_fitted.find(key); found != m_fitted.end())
        return found->second;
    if (m_fitted.size() >= fitted_cache_limit)
        m_fitted.clear();
    std::string fitted
        = middle_ellipsis(name, width, [&](std::string_view candidate) { return text.measure(candidate, font).width; });
    return m_fitted.emplace(std::move(key), std::move(fitted)).first->second;
}

std::optional<ui::Image> FileView::thumbnail_for(model::Entry const& entry, services::ThumbKey const& key)
{
    if (!m_thumbnails || entry.is_dir)
        return std::nullopt;
    return m_thumbnails->request_file(key, std::filesystem::path(entry.path), content_access_for(entry));
}

void FileView::draw_file_icon(ui::Painter& painter, model::Entry const& entry, ui::Rect icon)
{
    ui::Theme const& theme = painter.theme();
    if (entry.is_dir) {
        painter.draw_icon(ui::Icon::Folder, icon, theme.folder_icon);
        return;
    }
    bool grid = m_mode == ViewMode::Grid;
    services::ThumbKey key = thumb_key_for(entry);
    if (auto image = thumbnail_for(entry, key)) {
        double radius = (grid ? 8 : 4) * m_scale.z;
        m_scaled_thumbnails.paint(painter, key, *image, icon, radius);
        painter.stroke_rounded_rect(icon, radius, theme.primary.with_alpha(0.12));
        return;
    }
    if (grid)
        draw_category_tile(painter, entry, icon);
    else
        painter.draw_icon(file_icon(entry), icon, theme.file_icon);
}

void FileView::draw_category_tile(ui::Painter& painter, model::Entry const& entry, ui::Rect tile)
{
    ui::Color tint = category_tint(services::category_for_path(entry.path));
    double radius = 8 * m_scale.z;
    painter.fill_rounded_rect(tile, radius, ui::Color::rgb(0xFFFFFF).mixed(tint, 0.16));
    painter.stroke_rounded_rect(tile, radius, tint.with_alpha(0.38));

    double side = tile.height() / 2;
    double icon_top = tile.top + 0.14 * tile.height();
    ui::Rect icon { tile.left + (tile.width() - side) / 2, icon_top, tile.left + (tile.width() + side) / 2,
        icon_top + side };
    painter.draw_icon(file_icon(entry), icon, tint);

    std::string ext = upper_extension(entry.name);
    if (ext.empty())
        return;
    ui::Font font { std::clamp(0.2 * tile.height(), 8.0, 13.0), ui::FontWeight::Bold, false };
    // A long extension ("PARQUET") is set smaller, down to 8 px, before it
    // is cut short.
    double const room = tile.width() - 8;
    double const natural = painter.text().measure(ext, font).width;
    if (natural > room && natural > 0)
        font.size = std::max(8.0, std::floor(font.size * room / natural));
    double bottom = tile.bottom - 0.14 * tile.height();
    double height = painter.text().measure(ext, font).height;
    ui::Rect label { tile.left + 2, bottom - height, tile.right - 2, bottom };
    painter.draw_text(
        ext, label, { font, tint.mixed(ui::Color::rgb(0x000000), 0.25), ui::TextAlign::Center, ui::Ellipsize::End });
}

void FileView::draw_list_row(ui::Painter& painter, DrawContext const& context, std::size_t index)
{
    model::Entry const& entry = m_entries[index];
    ui::Theme const& theme = *context.theme;
    ui::Rect row = list_row_rect(index, m_bounds, m_scale);
    draw_item_background(painter, index, row.inset(8, 2));

    ui::Rect icon = list_icon_rect(row, context.columns, m_scale);
    draw_file_icon(painter, entry, icon);
    if (auto badge = badge_for(entry))
        draw_badge(painter, *badge, icon, m_scale.z);
    if (entry.is_dir && m_drop_targets)
        m_drop_targets->push_back({ entry.path, row });

    if (m_rename != index) {
        ui::Rect label = list_label_rect(row, icon, context.columns);
        std::string shown = has_open_conflict(entry) ? entry.name + conflict_suffix : entry.name;
        std::string const& fitted = fitted_name(painter.text(), shown, context.label_font, label.width());
        painter.draw_text(
            fitted, label, { context.label_font, theme.primary, ui::TextAlign::Start, ui::Ellipsize::None });
    }
    ui::TextStyle cell { context.cell_font, theme.muted, ui::TextAlign::Start, ui::Ellipsize::End };
    if (auto span = context.columns.size)
        painter.draw_text(size_cell(entry), { span->left, row.top, span->right, row.bottom }, cell);
    if (auto span = context.columns.modified)
        painter.draw_text(modified_cell(entry), { span->left, row.top, span->right, row.bottom }, cell);
}

void FileView::draw_grid(ui::Painter& painter, DrawContext const& context)
{
    for (std::size_t i = context.range.first; i < context.range.last; ++i)
        draw_grid_tile(painter, context, i);
    draw_focus(painter, context);
}

void FileView::draw_grid_tile(ui::Painter& painter, DrawContext const& context, std::size_t index)
{
    model::Entry const& entry = m_entries[index];
    ui::Rect tile = grid_tile_rect(index, m_bounds, m_grid, m_scale);
    draw_item_background(painter, index, tile);
    GridTileParts parts = grid_tile_parts(tile, entry.is_dir, context.line_height, m_scale);
    draw_file_icon(painter, entry, parts.icon);
    if (auto badge = badge_for(entry))
        draw_badge(painter, *badge, parts.icon, m_scale.z);
    if (entry.is_dir && m_drop_targets)
        m_drop_targets->push_back({ entry.path, tile });
    if (m_rename == index)
        return;
    std::string const& fitted = fitted_name(painter.text(), entry.name, context.label_font, parts.label.width());
    painter.draw_text(fitted, parts.label,
        { context.label_font, context.theme->primary, ui::TextAlign::Center, ui::Ellipsize::None });
}

}
