// Composing the window: the toolbar over the navigation shell, whose content
// is the scroll container around the file view.

#include "app/command_executor.h"
#include "app/file_explorer_widget.h"
#include "app/window_geometry.h"
#include "i18n/translate.h"
#include "places_sidebar/places_sidebar.h"
#include "toolbar/file_toolbar.h"
#include "ui/nav_shell.h"
#include "ui/scrollable.h"
#include "views/file_view.h"

namespace files::app {

void FileExplorerWidget::refresh_children()
{
    m_toolbar->set_location(m_state.current_path);
    m_toolbar->set_view_mode(m_state.view_mode);
    m_toolbar->set_inside_archive(is_archive_location(m_state));
    m_toolbar->set_navigation(!m_state.back_list.empty(), !m_state.forward_list.empty(),
        m_state.current_path.has_relative_path() && m_state.current_path.parent_path() != m_state.current_path);
    m_sidebar->set_current_location(m_state.current_path);
    m_file_view->set_entries(m_state.entries);
    m_file_view->set_view_mode(m_state.view_mode);
    m_file_view->set_sort(m_state.sort_key, m_state.sort_descending);
    m_file_view->set_scale({ item_scale(m_state.zoom_level), 1.0 });
    m_shell->set_narrow_threshold(narrow_layout_threshold(m_text_scale));
}

void FileExplorerWidget::build_layout(ui::Rect bounds, ui::LayoutContext& context)
{
    m_bounds = bounds;
    m_state.root_rect = bounds;
    refresh_children();

    double const toolbar_height = toolbar::FileToolbar::height;
    ui::Rect toolbar_rect { bounds.left, bounds.top, bounds.right,
        std::min(bounds.bottom, bounds.top + toolbar_height) };
    ui::Rect shell_rect { bounds.left, toolbar_rect.bottom, bounds.right, bounds.bottom };
    m_toolbar->build_layout(toolbar_rect, context);
    m_toolbar->apply_layout(toolbar_rect);
    m_shell->build_layout(shell_rect, context);
    m_shell->apply_layout(shell_rect);

    bool const showing_listing = !m_state.loading && !m_state.load_error;
    m_state.viewport_rect = showing_listing ? std::optional(m_scroll->bounds()) : std::nullopt;
    m_state.content_rect = showing_listing ? std::optional(m_file_view->bounds()) : std::nullopt;
    layout_states(context);
    layout_rename_input(context);
    m_laid_out = true;
    set_needs_layout(false);
}

void FileExplorerWidget::apply_layout(ui::Rect bounds)
{
    m_bounds = bounds;
    m_state.root_rect = bounds;
}

void FileExplorerWidget::layout_states(ui::LayoutContext& context)
{
    auto content = m_shell->content_rect();
    if (m_state.load_error) {
        m_empty_state.set_content({ ui::Icon::Warning, i18n::translate("files-load-error-title"),
            i18n::translate_with("files-load-error-detail",
                { { "path", shorten_path(m_state.current_path.string(), 22) },
                    { "error", load_error_detail(*m_state.load_error) } }),
            i18n::translate("files-try-again") });
    } else if (m_state.loading) {
        m_empty_state.set_content({ std::nullopt, i18n::translate("files-loading-title"),
            i18n::translate_with(
                "files-loading-detail", { { "path", shorten_path(m_state.current_path.string(), 36) } }),
            std::nullopt });
    } else {
        return;
    }
    m_empty_state.build_layout(content, context);
    m_empty_state.apply_layout(content);
    if (auto action = m_empty_state.action_rect()) {
        auto width = std::max(action->width(), 4 * ui::Button::base_height);
        auto center = action->center().x;
        ui::Rect button { center - width / 2, action->top, center + width / 2, action->bottom };
        if (button != m_retry.bounds()) {
            m_retry.build_layout(button, context);
            m_retry.apply_layout(button);
        }
    }
    auto center = content.center();
    ui::Rect spinner { center.x - 14, center.y - 62 - 14, center.x + 14, center.y - 62 + 14 };
    m_spinner.build_layout(spinner, context);
    m_spinner.set_active(m_state.loading);
}

}
