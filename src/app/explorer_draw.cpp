// Painting what the children do not paint: the content-area states, the
// empty-folder placeholder, the status bubble and the sheet.

#include "app/command_executor.h"
#include "app/file_explorer_widget.h"
#include "app/status_text.h"
#include "app/window_geometry.h"
#include "favorites/locations.h"
#include "i18n/translate.h"
#include "model/entry.h"
#include "toolbar/file_toolbar.h"
#include "ui/nav_shell.h"
#include "ui/painter.h"
#include "ui/scrollable.h"
#include "views/file_view.h"

namespace files::app {

namespace {

    bool is_trash(ExplorerState const& state)
    {
        auto trash = favorites::trash_files_folder();
        return trash && model::same_path(trash->native(), state.current_path.native());
    }

}

void FileExplorerWidget::draw(ui::Painter& painter)
{
    auto const& theme = painter.theme();
    painter.fill_rect(m_bounds, theme.window);
    if (!m_bounds.is_empty() && !m_laid_out)
        m_state.redraw = true;

    painter.fill_rect(m_shell->content_rect(), theme.surface);
    bool const state_shown = m_state.loading || m_state.load_error;
    if (state_shown) {
        // The loading or error state takes the content column; the shell
        // paints the rest (the sidebar, a narrow window's toggle).
        draw_content_state(painter);
        m_shell->draw_without_content(painter);
    } else {
        m_shell->draw(painter);
    }
    if (m_shell->is_narrow() && m_shell->is_sidebar_over_content())
        painter.fill_rect(m_shell->scrim_rect(), m_shell->scrim_color());
    m_toolbar->draw(painter);
    draw_empty_placeholder(painter);
    if (m_state.inline_rename_open && *m_editor_cell)
        m_rename_input.draw(painter);
    m_state.redraw = false;
}

void FileExplorerWidget::draw_content_state(ui::Painter& painter)
{
    auto content = m_shell->content_rect();
    if (content.width() <= 1 || content.height() <= 1)
        return;
    if (!m_state.loading && !m_state.load_error)
        return;
    painter.fill_rect(content, painter.theme().surface);
    m_empty_state.draw(painter);
    if (m_state.loading)
        m_spinner.draw(painter);
    if (m_state.load_error)
        m_retry.draw(painter);
}

void FileExplorerWidget::draw_empty_placeholder(ui::Painter& painter)
{
    auto content = m_shell->content_rect();
    if (!m_state.entries.empty() || m_state.load_error || m_state.loading || content.width() <= 1
        || content.height() <= 1)
        return;
    auto const& theme = painter.theme();
    auto center = content.center();
    double const size = 40 * 1.5;
    ui::Rect icon { center.x - size / 2, center.y - 50, center.x + size / 2, center.y - 50 + size };
    painter.draw_icon(is_trash(m_state) ? ui::Icon::Trash : ui::Icon::Folder, icon, theme.muted);
    auto text = i18n::translate(is_trash(m_state) ? "files-empty-trash" : "files-empty-folder");
    painter.draw_text(text, { content.left + 16, icon.bottom + 12, content.right - 16, icon.bottom + 40 },
        ui::TextStyle { ui::Font { 15, ui::FontWeight::Medium }, theme.muted, ui::TextAlign::Center });
}

void FileExplorerWidget::draw_overlay(ui::Painter& painter)
{
    m_toolbar->draw_overlay(painter);
    m_shell->draw_overlay(painter);
    draw_status_bubble(painter);
    draw_sheet(painter);
    m_menu.draw_overlay(painter);
    draw_drag_image(painter);
}

void FileExplorerWidget::draw_status_bubble(ui::Painter& painter)
{
    if (m_shell->is_narrow() && m_shell->is_sidebar_over_content())
        return;
    // Over the loading and error states an item count says nothing; a notice
    // still shows.
    if ((m_state.loading || m_state.load_error) && !m_state.notice)
        return;
    auto now = m_now == ui::Clock::time_point {} ? ui::Clock::now() : m_now;
    auto text = status_text(m_state);
    if (text != m_shown_status) {
        m_shown_status = text;
        m_bubble.poke(now);
    }
    auto size = m_bubble.pill_size(text, 1.0);
    double const margin = ui::StatusBubble::margin;
    ui::Rect pill { m_bounds.right - margin - size.width, m_bounds.bottom - margin - size.height,
        m_bounds.right - margin, m_bounds.bottom - margin };
    if (!m_bubble.is_pinned() && !is_archive_location(m_state)) {
        auto cursor = m_state.last_cursor;
        bool over = cursor.x >= pill.left - 40 && cursor.x <= pill.right && cursor.y >= pill.top - 24
            && cursor.y <= pill.bottom;
        m_bubble.set_hover(over, now);
    }
    bool const paint = m_bubble.alpha(now) > 0 || (m_bubble.reduced_motion() && m_bubble.is_visible(now));
    if (!paint)
        return;
    painter.push_clip(pill.inset(-12, -14));
    m_bubble.draw_pill(painter, pill, text, 1.0, now);
    painter.pop_clip();
}

void FileExplorerWidget::draw_sheet(ui::Painter& painter)
{
    if (!m_state.sheet)
        return;
    auto const& sheet = *m_state.sheet;
    auto const& theme = painter.theme();
    auto rect = sheet_rect(m_bounds, sheet.detail_lines.size(), sheet.confirm.has_value());
    painter.fill_rect(m_bounds, ui::Color::rgb(0x000000).with_alpha(0.18));
    painter.panel_shadow(rect, 14);
    painter.fill_rounded_rect(rect, 14, theme.panel);
    painter.stroke_rounded_rect(rect, 14, theme.quiet);

    ui::TextStyle title { ui::Font { 17, ui::FontWeight::Semibold }, theme.primary };
    ui::TextStyle summary { ui::Font { 13 }, theme.muted };
    ui::TextStyle line { ui::Font { 13 }, theme.primary };
    painter.draw_text(sheet.title, { rect.left + 24, rect.top + 23 - 10, rect.right - 56, rect.top + 23 + 14 }, title);
    painter.draw_text(
        sheet.summary, { rect.left + 24, rect.top + 53 - 10, rect.right - 24, rect.top + 53 + 12 }, summary);
    double const lines_bottom = sheet.confirm ? rect.bottom - 58 : rect.bottom - 8;
    for (std::size_t i = 0; i < sheet.detail_lines.size(); ++i) {
        double top = rect.top + 88 + 27.0 * static_cast<double>(i) - 10;
        if (top + 22 > lines_bottom)
            break;
        painter.draw_text(sheet.detail_lines[i], { rect.left + 24, top, rect.right - 24, top + 22 }, line);
    }
    if (sheet.confirm) {
        auto button = sheet_confirm_rect(rect);
        auto fill = is_destructive(*sheet.confirm) ? theme.destructive : theme.accent;
        painter.fill_rounded_rect(button, 8, fill);
        painter.draw_text(i18n::translate(confirm_label_id(*sheet.confirm)), button,
            ui::TextStyle {
                ui::Font { 13, ui::FontWeight::Semibold }, ui::Color::rgb(0xFFFFFF), ui::TextAlign::Center });
    }
    auto close = sheet_close_zone(rect);
    auto c = close.center();
    painter.draw_icon(ui::Icon::Close, { c.x - 10, rect.top + 16, c.x + 10, rect.top + 36 }, theme.muted);
}

}
