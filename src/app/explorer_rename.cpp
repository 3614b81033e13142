// The inline rename editor: a text input laid over the entry's name where the
// file view places it; Enter commits, Escape cancels.

#include "app/command_executor.h"
#include "app/file_explorer_widget.h"
#include "views/file_view.h"

namespace files::app {

void FileExplorerWidget::sync_rename_input()
{
    if (!m_state.inline_rename_open)
        return;
    if (m_state.pending_rename_text) {
        m_rename_input.set_text(*m_state.pending_rename_text);
        m_rename_input.select_all();
        m_rename_input.set_focus(true);
        m_state.pending_rename_text.reset();
        set_needs_layout();
    }
}

void FileExplorerWidget::layout_rename_input(ui::LayoutContext& context)
{
    std::optional<std::size_t> target;
    if (m_state.rename_target) {
        for (std::size_t i = 0; i < m_state.entries.size(); ++i) {
            if (model::same_path(m_state.entries[i].path, m_state.rename_target->native()))
                target = i;
        }
    }
    m_file_view->set_rename_target(m_state.inline_rename_open ? target : std::nullopt);
    if (!m_state.inline_rename_open || !*m_editor_cell)
        return;
    // The cell is in the file view's scrolled coordinates.
    auto cell = (*m_editor_cell)->translated(0, -m_state.scroll_offset->y);
    m_rename_input.build_layout(cell, context);
    m_rename_input.apply_layout(cell);
}

ui::EventResult FileExplorerWidget::handle_rename_event(ui::Event const& event)
{
    // Keys typed right after the rename began, before a frame put the name
    // into the editor, edit that name rather than being replaced by it.
    sync_rename_input();
    auto result = m_rename_input.handle_event(event);
    for (auto const& message : m_rename_input.take_messages()) {
        if (auto const* submitted = std::get_if<ui::TextSubmitted>(&message))
            commit_rename(m_state, submitted->text);
        else
            cancel_rename(m_state);
    }
    if (!m_state.inline_rename_open)
        m_rename_input.set_focus(false);
    m_state.redraw = true;
    return std::holds_alternative<ui::KeyPressed>(event) ? ui::EventResult::Handled : result;
}

}
